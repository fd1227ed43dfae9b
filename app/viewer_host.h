// What the recording viewer asks of the window that opens it, and hears from
// it: the opener's fields stay its own, the viewer sees plain values.
#pragma once

#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "plot/converted_channels.h"

namespace app {

class ViewerHost : public QObject {
    Q_OBJECT

public:
    // Epoch seconds and a length in seconds, as a time-window run takes them.
    struct TimeWindow {
        double start = 0;
        double length = 0;
    };

    using QObject::QObject;

    // The stations selected now (the viewer opens on exactly one).
    virtual std::vector<std::string> SelectedStations() const = 0;
    virtual TimeWindow Window() const = 0;
    // Where the station's recordings lie, as a time-window run finds them;
    // "" when kelvaron.ini names no directory for it.
    virtual std::string SourceDirectory(const std::string& station) const = 0;
    // What the catalogue holds of the station's recordings (their trace
    // files, and which failed when it keeps the record of recordings);
    // throws (with a text for the operator) when it cannot be asked now.
    virtual std::unique_ptr<plot::ConvertedTraces> CataloguedTraces(
        const std::string& station) const = 0;
    // A run holds the catalogue until its worker has gone.
    virtual bool IsRunActive() const = 0;

signals:
    void windowChanged();
    void runEnded();
};

}  // namespace app
