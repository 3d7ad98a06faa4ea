#pragma once

#include <QGuiApplication>
#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QScreen>
#include <QString>
#include <QTransform>

#include <climits>

// A paint device that draws nothing and records the text painted on it with the
// baseline point of each piece: what a widget shows, read back as text. Render a
// widget into it with QWidget::render.
class TextRecorder : public QPaintDevice
{
public:
    struct Piece
    {
        QString text;
        QPointF baseline;
    };

    explicit TextRecorder(QSize size) : m_size(size), m_engine(this) {}
    QPaintEngine* paintEngine() const override { return &m_engine; }
    const QList<Piece>& pieces() const { return m_pieces; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        const int dpi = qRound(QGuiApplication::primaryScreen()->logicalDotsPerInch());
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return m_size.width() * 254 / (10 * dpi);
        case PdmHeightMM:
            return m_size.height() * 254 / (10 * dpi);
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return dpi;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(TextRecorder* recorder) : QPaintEngine(AllFeatures), m_recorder(recorder) {}
        using QPaintEngine::drawPolygon;
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState& state) override
        {
            if (state.state() & DirtyTransform) m_transform = state.transform();
        }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF& p, const QTextItem& item) override
        {
            m_recorder->m_pieces << Piece{item.text(), m_transform.map(p)};
        }
        Type type() const override { return User; }

    private:
        TextRecorder* m_recorder;
        QTransform m_transform;
    };

    QSize m_size;
    mutable Engine m_engine;
    QList<Piece> m_pieces;
};
