// CRecordingViewer: a read-only look at one station's recordings before they
// are converted. A timeline of the station's source directory (headers only,
// read off the UI thread), and for the recording clicked on it, its channels
// as they will be written, which of them are converted, and its header facts.
// It writes no file and no row. Escape closes it; Page Up and Page Down step
// to the previous and next recording in time.
// Its readers run on threads it owns: closing it asks them to stop, and it
// waits for them before it goes.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "plot/converted_channels.h"
#include "plot/recording_source.h"
#include "viewer/background_work.h"

class QLabel;

namespace app {
class TimelineView;
class TraceView;
}  // namespace app

class CRecordingViewer : public QWidget {
    Q_OBJECT

public:
    // What the archive holds of the station, for the converted marks; may
    // throw (a std::exception with a text for the operator), which the viewer shows.
    using ConvertedSource =
        std::function<std::unique_ptr<plot::ConvertedTraces>(const std::string& station)>;

    // sourceDir "" (kelvaron.ini names none): the viewer says so and lists nothing.
    CRecordingViewer(std::string station8, std::string sourceDir, double windowStart,
                     double windowLength, ConvertedSource converted, QWidget* parent = nullptr);
    ~CRecordingViewer() override;

    // The dialog's time window changed.
    void SetWindow(double start, double length);
    // Loads recording `index` of the listing (as a click on its bar does).
    void SelectRecording(int index);
    // The recording before (step -1) or after (+1) the one on show, in time.
    void StepRecording(int step);
    // Lists the directory and reads the catalogue's marks again (after a run);
    // the selected recording stays selected when it is still there.
    void Relist();

    // For tests and the screenshot tool.
    bool IsListed() const { return listed_; }
    bool IsLoading() const { return loading_ > 0; }
    // Background readers started and not yet ended.
    int RunningReaders() const { return m_work.Running(); }
    const std::string& Station() const { return m_station8; }
    const std::vector<plot::RecordingEntry>& Entries() const { return entries_; }
    const std::vector<plot::LeftOutEntry>& LeftOut() const { return leftOut_; }
    // Per entry: which of its channels the archive holds.
    const std::vector<plot::RecordingConversion>& Conversions() const { return conversions_; }
    app::TimelineView* Timeline() const { return m_timeline; }
    app::TraceView* Traces() const { return m_traces; }
    QString HeaderFacts() const;
    QString StatusText() const;
    QString SampleText() const;

signals:
    void listed();
    void recordingLoaded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Runs work(stop) on a thread of the viewer's and hands its result to
    // deliver on the UI thread, unless the viewer is going by then.
    template <typename Work, typename Deliver>
    void OffUiThread(Work work, Deliver deliver);
    void StartListing();
    void OnListed(std::optional<plot::StationListing> listing);
    void OnLoaded(int index, plot::LoadResult result);
    void ClearRecording();
    // The loaded recording's channels marked as the listing found them.
    std::shared_ptr<const plot::PlotRecording> WithConversion(plot::PlotRecording recording,
                                                              int index) const;
    QString LeftOutText() const;
    QString BarTip(const plot::RecordingEntry& entry) const;

    std::string m_station8;
    std::string m_sourceDir;
    ConvertedSource m_converted;
    app::TimelineView* m_timeline = nullptr;
    app::TraceView* m_traces = nullptr;
    QLabel* m_facts = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_sample = nullptr;
    std::vector<plot::RecordingEntry> entries_;
    std::vector<plot::LeftOutEntry> leftOut_;
    std::vector<plot::RecordingConversion> conversions_;
    bool listed_ = false;
    int loading_ = 0;
    int wanted_ = -1;            // the recording whose load the view waits for
    int shown_ = -1;             // the entry on show
    std::string m_selectedName;  // file name of the recording on show
    app::BackgroundWork m_work;
};
