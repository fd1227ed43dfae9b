#include "engine/station_workers.h"

#include <sched.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <exception>
#include <filesystem>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "engine/driver_bodies.h"
#include "engine/drivers.h"
#include "engine/work_queue.h"
#include "engine/worker_observer.h"
#include "formats/recorder/recorder_header.h"
#include "platform/ini_file.h"
#include "platform/kelvaron_settings.h"
#include "platform/station_order.h"

namespace engine {
namespace {

// A file run's picked files grouped by the station their header names, in
// the order met: two files of one station may write one trace path, so
// they stay with one worker, in the order they were picked.
std::vector<std::vector<std::size_t>> FilesByStation(const std::vector<std::string>& files) {
    std::vector<std::string> names;
    std::vector<std::vector<std::size_t>> groups;
    for (std::size_t i = 0; i < files.size(); ++i) {
        platform::IniFile header(files[i], platform::kHeaderScanKeptBytes);
        const std::string name = ReadStationName(header);
        const auto same = std::find_if(names.begin(), names.end(), [&](const std::string& n) {
            return platform::StationEquals(n, name);
        });
        if (same == names.end()) {
            names.push_back(name);
            groups.push_back({i});
        } else {
            groups[static_cast<std::size_t>(same - names.begin())].push_back(i);
        }
    }
    return groups;
}

// The stations grouped by source directory, in the order met: stations that
// share a directory each write the record of its every entry, so they stay
// with one worker, in their order.
std::vector<std::vector<std::size_t>> StationsByDirectory(const RunRequest& request) {
    std::vector<std::string> dirs;
    std::vector<std::vector<std::size_t>> groups;
    for (std::size_t k = 0; k < request.stations.size(); ++k) {
        const platform::StationSettings* settings = request.settings.Find(request.stations[k]);
        std::string dir = settings ? settings->sourceDir : std::string();
        if (!dir.empty()) {
            std::error_code ignored;
            dir = std::filesystem::weakly_canonical(platform::ListedSourceDirectory(dir), ignored)
                      .string();
        }
        const auto same = std::find(dirs.begin(), dirs.end(), dir);
        if (dir.empty() || same == dirs.end()) {
            dirs.push_back(dir);
            groups.push_back({k});
        } else {
            groups[static_cast<std::size_t>(same - dirs.begin())].push_back(k);
        }
    }
    return groups;
}

WorkQueue WorkOf(const RunRequest& request) {
    if (request.mode == RunMode::Files) return WorkQueue(FilesByStation(request.files));
    return WorkQueue(StationsByDirectory(request));
}

RunSummary OneWorker(const RunRequest& request, RunObserver& observer,
                     const MakeOutputs& makeOutputs, std::stop_token stop) {
    const std::unique_ptr<RecordingOutputs> outputs = makeOutputs(0, observer);
    if (outputs) return RunConversion(request, observer, *outputs, std::move(stop));
    RunShare none;
    none.summary.catalogueErrors = 1;
    return FinishRun(std::move(none), observer, stop.stop_requested(),
                     std::chrono::steady_clock::now());
}

// Worker `worker`'s share, on its own outputs; what it could not start with
// is counted, the others take its stations.
RunShare Worker(int worker, const RunRequest& request, RunObserver& observer,
                const MakeOutputs& makeOutputs, std::stop_token stop, WorkQueue& queue,
                int workers) {
    RunShare share;
    try {
        const std::unique_ptr<RecordingOutputs> outputs = makeOutputs(worker, observer);
        if (!outputs) {
            share.summary.catalogueErrors = 1;
            return share;
        }
        return ConvertShare(request, observer, *outputs, std::move(stop), &queue, workers);
    } catch (const std::exception& e) {
        ++share.summary.otherErrors;
        try {
            observer.ShowMessage({e.what(), "", platform::kApplicationTitle});
        } catch (...) {
        }
    }
    return share;
}

void Add(RunShare& total, RunShare&& part) {
    AddUp(total.summary, part.summary);
    if (total.channels.empty()) {
        total.channels = std::move(part.channels);
        total.itemCarried = std::move(part.itemCarried);
        return;
    }
    for (std::size_t i = 0; i < part.itemCarried.size() && i < total.itemCarried.size(); ++i)
        if (part.itemCarried[i]) total.itemCarried[i] = true;
}

}  // namespace

int MachineWorkers() {
    // The processors this process may run on: a service's CPUAffinity= or a
    // container's cpuset leaves fewer than the machine has.
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

RunSummary RunWithWorkers(const RunRequest& request, RunObserver& observer, int workers,
                          const MakeOutputs& makeOutputs, std::stop_token stop) {
    if (workers <= 1) return OneWorker(request, observer, makeOutputs, std::move(stop));
    const auto begin = std::chrono::steady_clock::now();
    WorkQueue queue = WorkOf(request);
    const int count = std::min(workers, static_cast<int>(queue.size()));
    if (count <= 1) return OneWorker(request, observer, makeOutputs, std::move(stop));

    WorkerShare share;
    // All made before any worker starts: none moves while workers use it.
    std::deque<WorkerObserver> seen;
    for (int w = 0; w < count; ++w) seen.emplace_back(observer, share);
    std::vector<RunShare> shares(static_cast<std::size_t>(count));
    {
        std::vector<std::jthread> threads;
        for (int w = 0; w < count; ++w) {
            try {
                threads.emplace_back([&, w] {
                    const auto i = static_cast<std::size_t>(w);
                    shares[i] = Worker(w, request, seen[i], makeOutputs, stop, queue, count);
                });
            } catch (const std::system_error&) {
                break;  // the workers already started take the stations
            }
        }
        if (threads.empty()) return OneWorker(request, observer, makeOutputs, std::move(stop));
    }
    RunShare total;
    for (RunShare& share : shares) Add(total, std::move(share));
    return FinishRun(std::move(total), observer, stop.stop_requested(), begin);
}

}  // namespace engine
