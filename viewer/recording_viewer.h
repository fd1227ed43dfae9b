// CRecordingViewer: a read-only look at one station's recordings before they
// are converted. A timeline of the station's source directory (headers only,
// read off the UI thread), and for the recording clicked on it, its channels
// as they will be written and its header facts. It writes no file and no row.
// Its readers run on threads it owns: closing it asks them to stop, and it
// waits for them before it goes.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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
    // The catalogue's trace paths of the station (sorted), for the converted
    // marks; may throw catalog::DatabaseError, which the viewer shows.
    using TracePathsSource = std::function<std::vector<std::string>(const std::string& station)>;

    CRecordingViewer(std::string station8, std::string sourceDir, double windowStart,
                     double windowLength, TracePathsSource tracePaths, QWidget* parent = nullptr);
    ~CRecordingViewer() override;

    // The dialog's time window changed.
    void SetWindow(double start, double length);
    // Loads recording `index` of the listing (as a click on its bar does).
    void SelectRecording(int index);
    // Lists the directory and reads the catalogue's marks again (after a run);
    // the selected recording stays selected when it is still there.
    void Relist();

    // For tests and the screenshot tool.
    bool IsListed() const { return listed_; }
    bool IsLoading() const { return loading_ > 0; }
    // Background readers started and not yet ended.
    int RunningReaders() const { return m_work.Running(); }
    const std::vector<plot::RecordingEntry>& Entries() const { return entries_; }
    app::TimelineView* Timeline() const { return m_timeline; }
    app::TraceView* Traces() const { return m_traces; }
    QString HeaderFacts() const;
    QString StatusText() const;

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
    void OnListed(std::optional<std::vector<plot::RecordingEntry>> entries);
    void OnLoaded(int index, plot::LoadResult result);

    std::string m_station8;
    std::string m_sourceDir;
    TracePathsSource m_tracePaths;
    app::TimelineView* m_timeline = nullptr;
    app::TraceView* m_traces = nullptr;
    QLabel* m_facts = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_sample = nullptr;
    std::vector<plot::RecordingEntry> entries_;
    std::vector<bool> converted_;
    bool listed_ = false;
    int loading_ = 0;
    int wanted_ = -1;            // the recording whose load the view waits for
    std::string m_selectedName;  // file name of the recording on show
    app::BackgroundWork m_work;
};
