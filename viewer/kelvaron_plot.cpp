// kelvaron-plot: draws a recording (or a TVX trace file) into a PNG without a
// display, exactly as the viewer draws it: the samples as they will be
// written, one channel above the other.
//
//   kelvaron-plot IN -o OUT.png [--channels NAME,NAME...] [--width W] [--height H]
//                 [--config FILE]
//   kelvaron-plot -h | --help | -V | --version
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <cstdio>
#include <optional>

#include "platform/ini_file.h"
#include "platform/kelvaron_settings.h"
#include "platform/message_catalogue.h"
#include "platform/operator_texts.h"
#include "plot/recording_source.h"
#include "ui/interface_translation.h"
#include "ui/text_8bit.h"
#include "viewer/plot_texts.h"
#include "viewer/trace_painter.h"

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("kelvaron-plot", text); }

void Print(const QString& text) { std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData()); }

QString UsageText() { return Tr(platform::texts::kPlotUsage); }

int Usage() {
    Print(UsageText());
    return 2;
}

struct Options {
    QString in, out;
    QStringList channels;
    int width = 1200, height = 0;       // 0: by the number of channels
    std::optional<std::string> config;  // --config: the kelvaron.ini of the language
    bool help = false, version = false;
};

std::optional<Options> Parse(const QStringList& args) {
    Options o;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        bool ok = true;
        if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            o.help = true;
            return o;
        } else if (a == QLatin1String("-V") || a == QLatin1String("--version")) {
            o.version = true;
            return o;
        } else if (a == QLatin1String("--config") && hasValue) {
            o.config = QFile::encodeName(args[++i]).toStdString();
            ok = !o.config->empty();
        } else if (a == QLatin1String("-o") && hasValue) {
            o.out = args[++i];
        } else if (a == QLatin1String("--channels") && hasValue) {
            o.channels = args[++i].split(QLatin1Char(','), Qt::SkipEmptyParts);
        } else if (a == QLatin1String("--width") && hasValue) {
            o.width = args[++i].toInt(&ok);
            ok = ok && o.width >= 200 && o.width <= 20000;
        } else if (a == QLatin1String("--height") && hasValue) {
            o.height = args[++i].toInt(&ok);
            ok = ok && o.height >= 100 && o.height <= 20000;
        } else if (o.in.isEmpty() && !a.startsWith(QLatin1Char('-'))) {
            o.in = a;
        } else {
            ok = false;
        }
        if (!ok) return std::nullopt;
    }
    if (o.in.isEmpty() || o.out.isEmpty()) return std::nullopt;
    return o;
}

}  // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    // Before the translators: the interface language is read from kelvaron.ini.
    const std::optional<Options> options = Parse(args);
    if (options && options->version) {
        std::printf("kelvaron-plot %s\n", KELVARON_VERSION);
        return 0;
    }
    if (options && options->config) platform::UseKelvaronIni(*options->config);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    app::InstallInterfaceTranslators(application);
    if (!options) return Usage();
    if (options->help) {
        std::printf("%s\n", UsageText().toLocal8Bit().constData());
        return 0;
    }
    const std::string kelvaronIni = platform::KelvaronIniPath();
    if (const std::string problem = platform::SettingsFileProblem(
            kelvaronIni, kelvaronIni != platform::kDefaultKelvaronIni);
        !problem.empty()) {
        Print(app::FromText8(platform::TranslateMessage(problem)));
        return 2;
    }

    const std::string path = QFile::encodeName(options->in).toStdString();
    const plot::LoadResult loaded = plot::LoadRecording(path);
    if (!loaded.recording) {
        Print(app::LoadFailureText(options->in, loaded));
        return 1;
    }
    const plot::PlotRecording& r = *loaded.recording;
    std::vector<int> shown;
    if (options->channels.isEmpty()) {
        for (int i = 0; i < static_cast<int>(r.channels.size()); ++i) shown.push_back(i);
    } else {
        for (const QString& name : options->channels) {
            int found = -1;
            for (int i = 0; i < static_cast<int>(r.channels.size()); ++i)
                if (app::FromText8(r.channels[i].name) == name) found = i;
            if (found < 0) {
                Print(Tr(platform::texts::kPlotNoSuchChannel)
                          .arg(options->in, app::FromText8(r.station), name));
                return 1;
            }
            shown.push_back(found);
        }
    }
    if (shown.empty()) {
        Print(Tr(platform::texts::kPlotNoChannels).arg(options->in, app::FromText8(r.station)));
        return 1;
    }

    const int height =
        options->height > 0 ? options->height : 40 + 160 * static_cast<int>(shown.size());
    QImage image(options->width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        const QFontMetrics metrics(painter.font());
        painter.setPen(Qt::black);
        painter.drawText(8, 6 + metrics.ascent(), app::RecordingTitle(r));
        const double end =
            r.start + (r.rate > 0 ? r.channels[shown[0]].samples.size() / r.rate : r.dataSeconds);
        plot::PaintTraces(
            painter,
            QRect(0, 12 + metrics.height(), image.width(), image.height() - 12 - metrics.height()),
            r, shown, r.start, std::max(end, r.start + 1), app::TraceTextsInLanguage());
    }
    if (!image.save(options->out, "PNG")) {
        Print(Tr(platform::texts::kPlotNotSaved).arg(options->out));
        return 1;
    }
    return 0;
}
