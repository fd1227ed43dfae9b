#include "cli/console_front_end.h"

#include <algorithm>

#include "platform/ini_syntax.h"

namespace cli {

ConsoleFrontEnd::ConsoleFrontEnd(std::FILE* err, bool progress)
    : err_(err), progress_(progress), begin_(std::chrono::steady_clock::now()) {}

void ConsoleFrontEnd::ShowMessage(const std::string& text, const std::string& caption,
                                  platform::MessageIcon icon) {
    if (icon == platform::MessageIcon::Error) failed_ = true;
    Print(caption + ": " + text);
}

void ConsoleFrontEnd::ShowCurrentFile(const std::string& text) {
    if (text.empty()) return;
    ++scanned_;
    DrawProgress(false);
}

bool ConsoleFrontEnd::IsStationSelected(const std::string& name) {
    return std::any_of(stations.begin(), stations.end(),
                       [&](const std::string& s) { return platform::EqualsNoCase(s, name); });
}

void ConsoleFrontEnd::RecordingConverted(const std::string& path, std::int64_t dataBytes,
                                         int traces) {
    if (verbose) Print("kelvaron-batch: " + path + ": " + std::to_string(traces) + " traces");
    ++converted_;
    traces_ += traces;
    bytes_ += dataBytes;
    DrawProgress(false);
}

void ConsoleFrontEnd::SourceDirectoryUnreadable(const std::string& station,
                                                const std::string& dir) {
    // The dialog says nothing here; unattended, the station must not vanish silently.
    failed_ = true;
    Print("Ошибка: каталог '" + dir + "' станции " + station + " недоступен");
}

void ConsoleFrontEnd::RunFinished() {
    if (!progress_) return;
    DrawProgress(true);
    std::fputc('\n', err_);
    lineShown_ = false;
}

void ConsoleFrontEnd::Print(const std::string& line) {
    ClearProgress();
    std::fprintf(err_, "%s\n", line.c_str());
    std::fflush(err_);
}

void ConsoleFrontEnd::ClearProgress() {
    if (!lineShown_) return;
    std::fputs("\r\033[K", err_);
    lineShown_ = false;
}

void ConsoleFrontEnd::DrawProgress(bool force) {
    if (!progress_) return;
    const auto now = std::chrono::steady_clock::now();
    if (!force && lineShown_ && now - lastDraw_ < std::chrono::milliseconds(200)) return;
    lastDraw_ = now;
    const double seconds = std::chrono::duration<double>(now - begin_).count();
    const double rate = seconds > 0 ? bytes_ / 1048576.0 / seconds : 0.0;
    std::fprintf(err_, "\r\033[Kфайлов: %d, конвертировано: %d, трасс: %d, %.1f МБ/с", scanned_,
                 converted_, traces_, rate);
    std::fflush(err_);
    lineShown_ = true;
}

}  // namespace cli
