// Prints the MIME type the desktop's shared-mime-info database gives each file named on the
// command line, one per line, as a file manager would see it (name and contents).
#include <QCoreApplication>
#include <QMimeDatabase>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QMimeDatabase database;
    for (const QString& path : app.arguments().mid(1)) {
        std::printf("%s\n", qPrintable(database.mimeTypeForFile(path).name()));
    }
    return 0;
}
