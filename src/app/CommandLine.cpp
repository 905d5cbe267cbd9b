// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <QCommandLineParser>

#include <cstdio>

namespace CommandLine {

namespace {

// Qt's own options, which QApplication takes out of the command line itself.
const QStringList kQtOptionsWithValue = {QStringLiteral("platform"),
                                         QStringLiteral("platformpluginpath"),
                                         QStringLiteral("platformtheme"),
                                         QStringLiteral("plugin"),
                                         QStringLiteral("qwindowgeometry"),
                                         QStringLiteral("qwindowicon"),
                                         QStringLiteral("qwindowtitle"),
                                         QStringLiteral("display"),
                                         QStringLiteral("geometry"),
                                         QStringLiteral("style"),
                                         QStringLiteral("stylesheet"),
                                         QStringLiteral("session"),
                                         QStringLiteral("name"),
                                         QStringLiteral("title"),
                                         QStringLiteral("visual"),
                                         QStringLiteral("qmljsdebugger")};
const QStringList kQtFlags = {QStringLiteral("reverse"), QStringLiteral("nograb"),
                              QStringLiteral("dograb"), QStringLiteral("widgetcount"),
                              QStringLiteral("sync")};

} // namespace

QString versionText()
{
    return QStringLiteral("kartak2 ") + QStringLiteral(KARTAK_VERSION_LINE) + u'\n';
}

QString helpText()
{
    return QStringLiteral(
        "Použití: kartak2 [volba]\n"
        "Karták II vytvoří postavu pro hru Dračí Doupě a uloží její osobní deník.\n"
        "Bez voleb otevře hlavní menu.\n"
        "\n"
        "Volby:\n"
        "  -h, --help     vypíše tuto nápovědu a skončí\n"
        "  -v, --version  vypíše verzi programu a skončí\n"
        "\n"
        "Textové soubory a zvuky čte ze své datové složky: vedle programu, nebo\n"
        "v ../share/games/kartak2 či ../share/kartak2 od složky s programem.\n");
}

Result parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    // Qt's options are single-dash words (-platform xcb), so ours are read the same way.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    for (const QString& name : kQtOptionsWithValue)
        parser.addOption(QCommandLineOption(name, QString(), QStringLiteral("value")));
    for (const QString& name : kQtFlags)
        parser.addOption(QCommandLineOption(name));

    Result result;
    const auto fail = [&](const QString& message) {
        result.action = Result::PrintAndExit;
        result.exitCode = 2;
        result.toStandardError = true;
        result.text = QStringLiteral("kartak2: ") + message +
                      QStringLiteral("\nNápovědu vypíše kartak2 --help.\n");
        return result;
    };
    if (!parser.parse(arguments)) {
        if (!parser.unknownOptionNames().isEmpty())
            return fail(QStringLiteral("neznámá volba: ") + parser.unknownOptionNames().first());
        return fail(QStringLiteral("volbě chybí hodnota"));
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("program nečte žádné soubory ani argumenty: ") +
                    parser.positionalArguments().first());
    if (parser.isSet(help)) {
        result.action = Result::PrintAndExit;
        result.text = helpText();
    } else if (parser.isSet(version)) {
        result.action = Result::PrintAndExit;
        result.text = versionText();
    }
    return result;
}

void print(const Result& result)
{
    FILE* stream = result.toStandardError ? stderr : stdout;
    std::fputs(result.text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace CommandLine
