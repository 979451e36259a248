# Sources of views/: target_sources(dromel_core ...) for core files, target_sources(dromel_gui ...) for Qt files.
