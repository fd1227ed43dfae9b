// kelvaron: the operator's converter. Options: --config FILE (the kelvaron.ini
// to read and write), -h/--help and -V/--version; the last two answer without
// a display. Anything else that Qt does not take is a usage error.
#include <QApplication>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/converter_app.h"
#include "platform/ini_file.h"
#include "platform/kelvaron_settings.h"
#include "platform/message_catalogue.h"
#include "platform/message_sink.h"
#include "platform/operator_texts.h"
#include "platform/text_encoding.h"
#include "ui/interface_translation.h"

namespace {

// An operator text (one message, or the usage) in the interface language.
std::string Said(const std::string& text) {
    return platform::Text8ToUtf8(platform::TranslateMessage(text));
}

int UsageError(const std::string& message) {
    std::fprintf(stderr, "kelvaron: %s\n%s", Said(message).c_str(),
                 Said(platform::texts::kDialogUsage).c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::optional<std::string> config;
    bool help = false;
    std::vector<char*> qtArgs{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            help = true;
        } else if (arg == "-V" || arg == "--version") {
            std::printf("kelvaron %s\n", KELVARON_VERSION);
            return 0;
        } else if (arg == "--config" || arg.starts_with("--config=")) {
            if (arg == "--config" && i + 1 < argc) config = argv[++i];
            if (arg.starts_with("--config=")) config = std::string(arg.substr(9));
            if (!config || config->empty())
                return UsageError(platform::texts::OptionNeedsValue("--config"));
        } else {
            qtArgs.push_back(argv[i]);
        }
    }
    if (config) platform::UseKelvaronIni(*config);
    if (help) {
        std::fputs(Said(platform::texts::kDialogUsage).c_str(), stdout);
        return 0;
    }
    const std::string kelvaronIni = platform::KelvaronIniPath();
    if (const std::string problem = platform::SettingsFileProblem(
            kelvaronIni, kelvaronIni != platform::kDefaultKelvaronIni);
        !problem.empty()) {
        std::fprintf(stderr, "kelvaron: %s\n", Said(problem).c_str());
        return 2;
    }

    int qtArgc = static_cast<int>(qtArgs.size());
    qtArgs.push_back(nullptr);
    QApplication application(qtArgc, qtArgs.data());
    // Qt has taken its own options out; whatever is left is not ours either.
    if (qtArgc > 1) return UsageError(platform::texts::UnknownOption(qtArgs[1]));
    QApplication::setApplicationName(QString::fromLatin1(platform::kApplicationTitle));
    app::InstallInterfaceTranslators(application);
    CConverterApp theApp;
    theApp.InitInstance();
    return theApp.ExitCode();
}
