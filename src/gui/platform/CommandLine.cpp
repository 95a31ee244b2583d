// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/CommandLine.h"

#include "core/AppInfo.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>

namespace tavrola {

namespace {

// Options QGuiApplication, QApplication and the platform plugins take from the command line. They
// are declared, hidden, so that they and their values pass; QApplication removes them later.
constexpr const char* kQtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry", "geometry", "qwindowtitle",
    "title",    "qwindowicon",        "icon",          "session", "display",         "name",     "visual",
    "style",    "stylesheet",         "qmljsdebugger"};
constexpr const char* kQtFlags[] = {"reverse", "widgetcount", "sync", "nograb", "dograb", "testability"};

void addHidden(QCommandLineParser& parser, const char* name, bool takesValue) {
    QCommandLineOption option(QString::fromLatin1(name));
    if (takesValue)
        option.setValueName(QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
}

} // namespace

StartOptions parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    // Qt's options are single-dash words (-platform xcb); ours are read the same way.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Prayer-times clock for prayer halls and signage screens.\n"
                       "Qt's own options, such as -platform NAME and -display NAME, are also accepted."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    const QCommandLineOption guard(QStringLiteral("guard"),
                                   QStringLiteral("Run the clock under a guard that starts it again when it "
                                                  "crashes or hangs, until it is ended from its menu."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(guard);
    for (const char* name : kQtOptionsWithValue)
        addHidden(parser, name, true);
    for (const char* name : kQtFlags)
        addHidden(parser, name, false);

    const QStringList args = arguments.isEmpty() ? QStringList{QStringLiteral("tavrola")} : arguments;
    const QString program = QFileInfo(args.first()).fileName();
    StartOptions options;
    if (!parser.parse(args) || !parser.positionalArguments().isEmpty()) {
        const QString problem =
            parser.positionalArguments().isEmpty()
                ? parser.errorText()
                : QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
        options.startClock = false;
        options.exitStatus = 2;
        options.text = QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(program, problem);
    } else if (parser.isSet(help)) {
        options.startClock = false;
        options.text = parser.helpText().replace(QStringLiteral("<executable_name>"), program);
    } else if (parser.isSet(version)) {
        options.startClock = false;
        options.text =
            QStringLiteral("%1 %2\n").arg(QString::fromUtf8(app::kTitle), QString::fromUtf8(app::kVersion));
    } else {
        options.guard = parser.isSet(guard);
    }
    return options;
}

StartOptions readCommandLine(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    StartOptions options = parseCommandLine(arguments);
    if (!options.startClock) {
        std::FILE* stream = options.exitStatus == 0 ? stdout : stderr;
        std::fputs(options.text.toLocal8Bit().constData(), stream);
        std::fflush(stream);
    }
    return options;
}

} // namespace tavrola
