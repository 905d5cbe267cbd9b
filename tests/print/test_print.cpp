// SPDX-License-Identifier: GPL-3.0-or-later
#include "FailDevice.h"
#include "WindowFixtures.h"
#include "Workspace.h"
#include "character/TForm3.h"
#include "platform/MessageBox.h"
#include "platform/ProgramInfo.h"
#include "platform/SaveDialog.h"
#include "print/PrintedSheet.h"
#include "print/SheetPrintCommands.h"
#include "rules/CharacterGeneration.h"
#include "rules/RulesTables.h"

#include <QAction>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <memory>

namespace {

// poppler-utils reads Qt's PDFs exactly: the page count and size, the text, the fonts.
QString poppler(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool havePoppler()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

// Checks that the file is one A4 page holding every fragment, with only free fonts embedded.
void checkPage(const QString& pdf, const QStringList& fragments)
{
    const QString info = poppler(QStringLiteral("pdfinfo"), {pdf}).simplified();
    QVERIFY2(info.contains(QStringLiteral("Pages: 1 ")), qPrintable(info));
    QVERIFY2(info.contains(QStringLiteral("Page size: 595 x 842 pts (A4)")), qPrintable(info));
    // The layout's spacing is the page's business; the order of the characters is the test's.
    const QRegularExpression space(QStringLiteral("\\s+"));
    const QString text =
        poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
            .remove(space);
    for (const QString& fragment : fragments)
        QVERIFY2(text.contains(QString(fragment).remove(space)),
                 qPrintable(fragment + " in: " + text));
    // Every font embedded, and only free ones: name, type, encoding, emb, sub, uni, object id.
    const QStringList fonts = poppler(QStringLiteral("pdffonts"), {pdf}).split(u'\n').mid(2);
    for (const QString& font : fonts) {
        const QStringList columns = font.split(space, Qt::SkipEmptyParts);
        if (!columns.isEmpty())
            QVERIFY2(
                columns.size() > 5 && columns[columns.size() - 5] == "yes" &&
                    columns[0].contains(QRegularExpression(QStringLiteral("Liberation|DejaVu"))),
                qPrintable(font));
    }
}

} // namespace

class TestPrint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!havePoppler())
            QSKIP("poppler-utils (pdftotext, pdfinfo) is not installed; tools/kartak.sh test "
                  "installs it");
        MessageBox::setRecording(true);
        recordPlayRequests();
    }

    void pageHoldsEveryValue_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("race");
        QTest::addColumn<int>("melee");
        QTest::addColumn<int>("ranged1");
        QTest::addColumn<int>("ranged2");
        QTest::addColumn<int>("armour");
        QTest::addColumn<bool>("shield");
        QTest::addColumn<int>("money");
        QTest::addColumn<QString>("version");
        // Kroll's low attributes give negative bonuses; "Dvě šavle" a negative attack.
        QTest::newRow("longest weapon names")
            << "Pepík" << 4 << 27 << 2 << 4 << 6 << false << 666 << "0.1.9.24 beta";
        QTest::newRow("negative bonuses")
            << "Hrom" << 6 << 26 << 11 << 0 << 1 << true << 1000 << "1.0";
        QTest::newRow("empty name, no version") << "" << 0 << 0 << 0 << 0 << 0 << false << 0 << "";
        QTest::newRow("outside Windows-1250")
            << "Ærin Ωmega Дракон" << 3 << 1 << 1 << 9 << 2 << true << 100000 << "2.0";
        QTest::newRow("long name") << QStringLiteral("Žofie z Dlouhého Rodu ").repeated(6).trimmed()
                                   << 1 << 3 << 5 << 0 << 3 << true << 42 << "1.0";
        // Beyond what the name's box can hold: its start, then an ellipsis, still one page.
        QTest::newRow("name beyond the page") << QStringLiteral("Žofie ").repeated(400) << 2 << 0
                                              << 0 << 0 << 0 << false << 7 << "1.0";
    }

    void pageHoldsEveryValue()
    {
        QFETCH(QString, name);
        QFETCH(int, race);
        Choices choices;
        choices.name = name;
        choices.race = race;
        QFETCH(int, money);
        choices.money = money;
        QFETCH(int, melee);
        choices.melee = melee;
        QFETCH(int, ranged1);
        choices.ranged1 = ranged1;
        QFETCH(int, ranged2);
        choices.ranged2 = ranged2;
        QFETCH(int, armour);
        choices.armour = armour;
        QFETCH(bool, shield);
        choices.shield = shield;
        QFETCH(QString, version);
        const GenerationResult generated = generateCharacter(choices, 3723004);
        PrintedSheet::Input input{
            generated.sheet, generated.combat, money, version, {armourItems().at(armour), shield}};
        input.sheet.raceAndProfession = raceName(race) + QStringLiteral(" Válečník");

        const SheetTexts& sheet = input.sheet;
        QStringList expected = {
            QStringLiteral("Jméno: ") + (name.size() > 1000 ? name.left(200) : name),
            QStringLiteral("Rasa a povolání: ") + sheet.raceAndProfession,
            QStringLiteral("Životy: ") + sheet.hitPoints,
            QStringLiteral("Magy: ") + sheet.magicPoints,
            QStringLiteral("Velikost: ") + sheet.size,
            QStringLiteral("Postřeh obj.: ") + sheet.perceptionObjects + " %",
            QStringLiteral("Postřeh mech.: ") + sheet.perceptionMechanisms + " %",
            QStringLiteral("Obranné číslo: ") + QString::number(input.combat.defenceNumber),
            QStringLiteral("Zlaťáky: ") + QString::number(money),
            QStringLiteral("Stříbrňáky: 0"),
            QStringLiteral("Měďáky: 0"),
            QStringLiteral("Úroveň: 1"),
            QStringLiteral("Zkušenosti:"),
            QStringLiteral("Zbroj: ") + armourItems().at(armour),
            QStringLiteral("Štít: ") + (shield ? "ano" : "ne"),
            QStringLiteral("Poznámky"),
            QStringLiteral("programem 'KARTÁK II' Verze ") + version};
        if (name.size() > 1000)
            expected << QChar(0x2026) + QStringLiteral("Rasa a povolání:");
        const char* captions[] = {
            "Síla: ", "Obratnost: ", "Odolnost: ", "Inteligence: ", "Charisma: "};
        for (int i = 0; i < AttributeCount; ++i)
            expected << QString::fromUtf8(captions[i]) + sheet.attributes[i].text;
        const auto row = [](const WeaponRow& w, std::initializer_list<int> figures) {
            QString text = w.sheetName.trimmed();
            for (const int figure : figures)
                text += u' ' + QString::number(figure);
            return text;
        };
        const CombatNumbers& c = input.combat;
        expected << row(c.melee, {c.melee.attackNumber, c.melee.attack, c.melee.defence});
        for (const WeaponRow* r : {&c.ranged1, &c.ranged2})
            expected << row(
                *r, {r->attackNumber, r->attack, r->rangeShort, r->rangeMedium, r->rangeLong});
        if (race == 6)
            QVERIFY(expected.join(u'\n').contains(QStringLiteral("/ -")));

        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("sheet.pdf"));
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(PrintedSheet::pdf(input));
        file.close();
        checkPage(pdf, expected);
    }

    // The commands in the character window: disabled until the first generation, the PDF saved
    // with the equipment of that generation, printing that ends in a box or nothing.
    void windowCommands_data()
    {
        QTest::addColumn<QString>("printAnswer"); // "" or "disk full" for the PDF save
        QTest::addColumn<QString>("box");
        QTest::newRow("pdf") << ""
                             << "Osobní deník byl uložen do souboru ";
        QTest::newRow("pdf onto a full disk") << "disk full"
                                              << "I/O error 28.";
        QTest::newRow("print cancelled") << "cancel"
                                         << "";
        QTest::newRow("print without a print system")
            << "no file"
            << "Tisk není možný: v tomto počítači chybí tiskový systém. Osobní deník lze uložit "
               "jako PDF.";
        QTest::newRow("print") << "file"
                               << "";
    }

    void windowCommands()
    {
        QFETCH(QString, printAnswer);
        QFETCH(QString, box);
        Workspace workspace;
        workspace.writeLines(QStringLiteral("tips.ktd"), {"A", "0"});
        TForm3 form;
        form.FormCreate();
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto* print = form.findChild<QAction*>(QStringLiteral("printSheetAction"));
        auto* pdfAction = form.findChild<QAction*>(QStringLiteral("savePdfAction"));
        QVERIFY(print && pdfAction);
        QTest::keyClick(&form, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(!print->isEnabled() && !pdfAction->isEnabled());
        QCOMPARE(takePlayRequests(), QStringList());

        chooseByUser(form.ComboBox4, 2); // Kožená (3)
        QTest::mouseClick(form.Button1, Qt::LeftButton);
        chooseByUser(form.ComboBox4, 3); // after the generation: not on this sheet
        takePlayRequests();
        MessageBox::takeShown();
        const QString pdf = workspace.path(QStringLiteral("Pepík.pdf"));
        if (printAnswer == "disk full") {
            workspace.writeBytes(QStringLiteral("Pepík.pdf"), "old");
            failNextSave(SaveStep::Write, 28, 2);
        }
        if (printAnswer.isEmpty() || printAnswer == "disk full") {
            SaveDialog::setNextAnswer(QStringLiteral("Pepík"));
            pdfAction->trigger();
            QCOMPARE(SaveDialog::lastProposal(), QStringLiteral("Pepík"));
        } else {
            SheetPrintCommands::setNextPrintDialogAnswer([&](QPrinter& printer) {
                if (printAnswer == "no file")
                    printer.setOutputFormat(QPrinter::PdfFormat);
                if (printAnswer == "file")
                    printer.setOutputFileName(pdf);
                return printAnswer != "cancel";
            });
            QTest::keyClick(&form, Qt::Key_P, Qt::ControlModifier);
        }
        QCOMPARE(takePlayRequests(), QStringList{"Success.wav"});
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), box.isEmpty() ? 0 : 1);
        if (!box.isEmpty())
            QVERIFY2(shown[0].text.startsWith(box), qPrintable(shown[0].text));
        if (printAnswer == "disk full")
            QCOMPARE(workspace.readBytes(QStringLiteral("Pepík.pdf")), QByteArray("old"));
        else if (QFile::exists(pdf))
            checkPage(pdf, {QStringLiteral("Jméno: Pepík"), QStringLiteral("Zbroj: Kožená (3)")});
        QCOMPARE(QFile::exists(pdf),
                 printAnswer.isEmpty() || printAnswer == "file" || printAnswer == "disk full");
    }
};

QTEST_MAIN(TestPrint)
#include "test_print.moc"
