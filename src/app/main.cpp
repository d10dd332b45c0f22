#include "app/Application.h"
#include "ui/common/QtJapanese.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

bool hasDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

// The command line speaks the language of the locale's messages, like other command-line tools.
bool japaneseLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return std::strncmp(value, "ja", 2) == 0;
    }
    return false;
}

const char* helpText(bool japanese) {
    if (japanese)
        return "使い方: rinvale [オプション]\n"
               "日本語と英語のタイピング練習プログラム Rinvale QX を起動します。\n"
               "\n"
               "  -h, --help     この説明を表示して終了します\n"
               "  -v, --version  バージョンを表示して終了します\n"
               "\n"
               "設定ファイル RudUZ.rvl と FileBox、LogBox のフォルダーは、環境変数 RINVALE_HOME があれば\n"
               "そのフォルダーに、実行ファイルと同じフォルダーに RudUZ.rvl があればそこに、それ以外は\n"
               "$XDG_DATA_HOME/RinvaleQX (通常は ~/.local/share/RinvaleQX) に置きます。\n";
    return "Usage: rinvale [option]\n"
           "Starts Rinvale QX, a typing trainer for Japanese and English.\n"
           "\n"
           "  -h, --help     show this help and exit\n"
           "  -v, --version  show the version and exit\n"
           "\n"
           "The settings file RudUZ.rvl and the folders FileBox and LogBox live in $RINVALE_HOME when it is\n"
           "set, beside the executable when RudUZ.rvl is there (a portable copy), and otherwise in\n"
           "$XDG_DATA_HOME/RinvaleQX (normally ~/.local/share/RinvaleQX).\n";
}

// Answers --help and --version, which need no display; returns whether it did.
bool answeredOnCommandLine(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!std::strcmp(arg, "--help") || !std::strcmp(arg, "-h")) {
            std::fputs(helpText(japaneseLocale()), stdout);
            return true;
        }
        if (!std::strcmp(arg, "--version") || !std::strcmp(arg, "-v")) {
            std::puts("Rinvale QX " RINVALE_VERSION);
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (answeredOnCommandLine(argc, argv)) return 0;
    if (!hasDisplay()) {
        std::fprintf(stderr, "rinvale: no display (DISPLAY or WAYLAND_DISPLAY is not set); start it from a desktop "
                             "session or under Xvfb.\n");
        return 1;
    }
    // On a Wayland desktop the program runs through XWayland: only the X server shows it every
    // physical key before the input method takes it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    // Qt has taken its own options (-platform, -style ...) out of argv; anything left is unknown.
    if (argc > 1) {
        std::fprintf(stderr,
                     japaneseLocale() ? "rinvale: 不明なオプションです: %s\n使い方は rinvale --help で表示します。\n"
                                      : "rinvale: unknown option: %s\nrinvale --help lists the options.\n",
                     argv[1]);
        return 2;
    }
    QApplication::setApplicationName(u"RinvaleQX"_s);
    // The desktop entry and the icon installed with the program.
    QGuiApplication::setDesktopFileName(QStringLiteral(RINVALE_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(RINVALE_APP_ID)));
    QFont uiFont(u"IPAPGothic"_s, 9);
    uiFont.setFamilies({u"IPAPGothic"_s, u"IPAGothic"_s, u"Noto Sans CJK JP"_s});
    QApplication::setFont(uiFont);
    // Qt's standard texts (the input box's context menu, dialog buttons) in Japanese.
    qtjapanese::install(app);

    Application program(app);
    return program.run();
}
