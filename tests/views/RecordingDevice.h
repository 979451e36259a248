// A paint device that remembers every text drawn on it with the device position of its
// baseline, so that tests can check where a page puts each line.
#pragma once

#include <QPaintDevice>
#include <QPaintEngine>
#include <QTextItem>
#include <QTransform>

#include <vector>

struct SDrawnText {
    QString text;
    QPointF pos; // start of the baseline, in device pixels
};

class CRecordingEngine : public QPaintEngine {
public:
    CRecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override {
        if (state.state() & QPaintEngine::DirtyTransform) {
            m_transform = state.transform();
        }
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        texts.push_back({item.text(), m_transform.map(p)});
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
    Type type() const override { return QPaintEngine::User; }

    std::vector<SDrawnText> texts;

private:
    QTransform m_transform;
};

class CRecordingDevice : public QPaintDevice {
public:
    CRecordingDevice(int width, int height) : m_nWidth(width), m_nHeight(height) {}

    QPaintEngine* paintEngine() const override { return &m_engine; }
    const std::vector<SDrawnText>& Texts() const { return m_engine.texts; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        constexpr int kDpi = 96;
        switch (metric) {
        case PdmWidth:
            return m_nWidth;
        case PdmHeight:
            return m_nHeight;
        case PdmWidthMM:
            return m_nWidth * 254 / (kDpi * 10);
        case PdmHeightMM:
            return m_nHeight * 254 / (kDpi * 10);
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return kDpi;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    int m_nWidth;
    int m_nHeight;
    mutable CRecordingEngine m_engine;
};
