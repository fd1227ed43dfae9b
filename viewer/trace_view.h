// One recording's channels one above the other. The mouse wheel zooms in
// time around the pointer, a drag pans, a click reports the sample under it.
#pragma once

#include <QWidget>
#include <memory>
#include <optional>

#include "plot/recording_source.h"
#include "viewer/trace_painter.h"

namespace app {

class TraceView : public QWidget {
    Q_OBJECT

public:
    explicit TraceView(QWidget* parent = nullptr);

    // Shows the whole recording; nullptr shows nothing.
    void SetRecording(std::shared_ptr<const plot::PlotRecording> recording);
    const plot::PlotRecording* Recording() const { return recording_.get(); }
    // The same recording with facts read again (its converted marks): the
    // view and the readout stay.
    void RefreshRecording(std::shared_ptr<const plot::PlotRecording> recording);
    // The shown span in epoch seconds.
    double ViewStart() const { return t0_; }
    double ViewEnd() const { return t1_; }
    void SetView(double t0, double t1);
    // Zooms by `factor` (< 1 in, > 1 out) keeping the time at pixel x in place.
    void Zoom(double factor, double x);

    // The sample nearest to widget pixel (x, y): channel index, its time and value.
    struct Sample {
        int channel = 0;
        double time = 0;
        std::int16_t value = 0;
    };
    std::optional<Sample> SampleAt(QPoint pos) const;
    // The axis texts of the last paint.
    const std::vector<plot::DrawnLabel>& Labels() const { return labels_; }

signals:
    void sampleClicked(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    double FullEnd() const;
    double TimeAt(double x) const;

    std::shared_ptr<const plot::PlotRecording> recording_;
    std::vector<int> channels_;
    double t0_ = 0, t1_ = 1;
    std::optional<QPoint> pressed_;
    double pressedT0_ = 0;
    bool dragged_ = false;
    std::optional<Sample> marked_;
    std::vector<plot::DrawnLabel> labels_;
};

}  // namespace app
