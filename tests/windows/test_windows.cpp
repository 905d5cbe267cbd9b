// SPDX-License-Identifier: GPL-3.0-or-later
#include "Workspace.h"
#include "files/KartakError.h"
#include "platform/ProgramInfo.h"
#include "windows/MemoLines.h"
#include "windows/TForm2.h"
#include "windows/TForm4.h"
#include "windows/TForm6.h"
#include "windows/TForm7.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>

#include <memory>

namespace {

QStringList memoLines(const QPlainTextEdit* memo)
{
    return memo->toPlainText().split(u'\n');
}

// Runs `action` once the modal loop of `dialog` is running, and fails the loop after five
// seconds instead of hanging the test when the action does not end it.
int execWhile(QDialog* dialog, const std::function<void()>& action)
{
    QTimer::singleShot(0, dialog, action);
    QTimer::singleShot(5000, dialog, [dialog] { dialog->done(-1); });
    return dialog->exec();
}

std::unique_ptr<QWidget> makeForm(const QString& name)
{
    if (name == "TForm2")
        return std::make_unique<TForm2>();
    if (name == "TForm4")
        return std::make_unique<TForm4>();
    if (name == "TForm6")
        return std::make_unique<TForm6>();
    return std::make_unique<TForm7>();
}

} // namespace

class TestWindows : public QObject
{
    Q_OBJECT
    std::unique_ptr<Workspace> m_workspace;

private slots:
    void init() { m_workspace = std::make_unique<Workspace>(QStringList{}); }
    void cleanup() { m_workspace.reset(); }

    void aboutTextComesFromTheFileOrTheBuiltInLines_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file
        QTest::addColumn<bool>("directory");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("lines");

        const QStringList builtIn = {
            "KARTÁK 2 - Program pro snadné vytváření osobního deníku do DrD  ",
            "",
            "Autor: " + ProgramInfo::AuthorName + " (" + ProgramInfo::AuthorEmail + ")",
            "Web:  " + ProgramInfo::AuthorWeb,
            "",
            "*    *    *    *    *    *    *    *    *    *    *    *    *    *    *    *    *"
            "    *    *    *    *    *    *    *",
            "Chyba - Soubor 'about.ktd' nenalezen, nemohu načíst externí data!",
        };
        QTest::newRow("missing") << QByteArray() << false << "Cannot open file about.ktd"
                                 << builtIn;
        QTest::newRow("directory")
            << QByteArray() << true << "Cannot open file about.ktd" << builtIn;
        QTest::newRow("CR LF, Windows-1250")
            << QByteArray("Kart\xe1k\r\nP\xf8\xedli\x9a \x9elu\x9dou\xe8k\xfd k\xf9\xf2\r\n")
            << false << QString() << QStringList{"Karták", "Příliš žluťoučký kůň"};
        QTest::newRow("mixed line ends, empty lines")
            << QByteArray("a\rb\nc\r\n\r\nd") << false << QString()
            << QStringList{"a", "b", "c", "", "d"};
        QTest::newRow("NUL and undefined byte")
            << QByteArray("x\0y\x81z", 5) << false << QString() << QStringList{"x\uFFFDy\uFFFDz"};
    }
    void aboutTextComesFromTheFileOrTheBuiltInLines()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, directory);
        QFETCH(QString, error);
        QFETCH(QStringList, lines);
        if (directory)
            QVERIFY(QDir().mkdir("about.ktd"));
        else if (!content.isEmpty())
            writeRaw("about.ktd", content);

        TForm2 form;
        QCOMPARE(errorOf([&] { form.FormCreate(); }), error);
        QCOMPARE(memoLines(form.Memo1), lines);
    }

    void aboutPanelHidesAndKeepsTheText_data()
    {
        QTest::addColumn<int>("key"); // 0: mouse click
        QTest::newRow("click") << 0;
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("Enter") << int(Qt::Key_Return);
    }
    void aboutPanelHidesAndKeepsTheText()
    {
        QFETCH(int, key);
        writeRaw("about.ktd", "one\r\ntwo\r\n");
        TForm2 form;
        form.FormCreate();
        QCOMPARE(execWhile(&form,
                           [&] {
                               QVERIFY(form.isVisible());
                               QTest::keyClick(&form, Qt::Key_Escape); // does not close it
                               QVERIFY(form.isVisible());
                               if (key)
                                   QTest::keyClick(form.Panel1, Qt::Key(key));
                               else
                                   QTest::mouseClick(form.Panel1, Qt::LeftButton);
                           }),
                 int(QDialog::Rejected));
        QVERIFY(!form.isVisible());
        QCOMPARE(memoLines(form.Memo1), (QStringList{"one", "two"}));
    }

    void informationWindowShowsWhatWasPutIn()
    {
        TForm6 form;
        QCOMPARE(form.Memo1->toPlainText(), "nemohu načíst externí data 'beta.ktd'");
        // Made with its own face and text, the memo has laid out nothing yet.
        QCOMPARE(form.Memo1->document()->firstBlock().layout()->lineCount(), 0);
        // Put in while hidden, a long text is laid out only when shown, from its start.
        form.setLines(QStringList(99, QStringLiteral("řádek")));
        QCOMPARE(form.Memo1->document()->firstBlock().layout()->lineCount(), 0);
        execWhile(&form, [&] {
            QCOMPARE(form.Memo1->textCursor().position(), 0);
            QCOMPARE(form.Memo1->verticalScrollBar()->value(), 0);
            form.hide();
        });
        form.setLines({"první", "", "třetí"});
        QCOMPARE(execWhile(&form,
                           [&] {
                               QCOMPARE(memoLines(form.Memo1), (QStringList{"první", "", "třetí"}));
                               // Neither Escape nor a close request leaves the window.
                               QTest::keyClick(form.Memo1, Qt::Key_Escape);
                               form.close();
                               QVERIFY(form.isVisible());
                               // Enter presses the default button, OK.
                               form.Memo1->setFocus();
                               QTest::keyClick(form.Memo1, Qt::Key_Return);
                           }),
                 int(QDialog::Rejected));
        QVERIFY(!form.isVisible());
        QCOMPARE(memoLines(form.Memo1), (QStringList{"první", "", "třetí"}));

        execWhile(&form, [&] { QTest::mouseClick(form.Button1, Qt::LeftButton); });
        QVERIFY(!form.isVisible());
    }

    void noticeHidesOnOk()
    {
        TForm4 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mouseClick(form.Button1, Qt::LeftButton);
        QVERIFY(!form.isVisible());
    }

    void splashHidesItselfAfterItsTimer()
    {
        TForm7 form;
        QVERIFY(form.Timer1->isActive());
        QCOMPARE(form.Timer1->interval(), 1500);
        QElapsedTimer shown;
        shown.start();
        QTimer::singleShot(5000, &form, [&] { form.done(-1); });
        QCOMPARE(form.exec(), int(QDialog::Rejected));
        // A coarse timer may tick up to 5 % early (1425 ms); the splash stands its full time.
        QVERIFY2(
            shown.elapsed() >= 1470,
            qPrintable(QStringLiteral("the splash went away after %1 ms").arg(shown.elapsed())));
        QVERIFY(!form.isVisible());
        QVERIFY(!form.Timer1->isActive());
        // Shown again after its tick, it does not wait for a tick that never comes.
        shown.restart();
        form.exec();
        QVERIFY(shown.elapsed() < 1000);
        QVERIFY(!form.isVisible());
    }

    void windowFramesAndSizes_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("titleBar");
        QTest::addColumn<bool>("closeButton");
        QTest::newRow("About") << "TForm2" << QSize(393, 414) << true << true;
        QTest::newRow("notice") << "TForm4" << QSize(301, 149) << false << false;
        QTest::newRow("information") << "TForm6" << QSize(608, 308) << true << false;
        QTest::newRow("splash") << "TForm7" << QSize(469, 313) << false << false;
    }
    void windowFramesAndSizes()
    {
        QFETCH(QString, form);
        QFETCH(QSize, size);
        QFETCH(bool, titleBar);
        QFETCH(bool, closeButton);
        const auto window = makeForm(form);
        const Qt::WindowFlags flags = window->windowFlags();
        QCOMPARE(window->minimumSize(), size);
        QCOMPARE(window->maximumSize(), size);
        QCOMPARE(!flags.testFlag(Qt::FramelessWindowHint), titleBar);
        QCOMPARE(flags.testFlag(Qt::WindowCloseButtonHint), closeButton);
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    }

    void componentsAsLaidOut_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("component");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");
        QTest::newRow("About memo") << "TForm2"
                                    << "Memo1" << QRect(4, 260, 385, 121) << 11 << false;
        QTest::newRow("About panel") << "TForm2"
                                     << "Panel1" << QRect(4, 388, 389, 25) << 11 << true;
        QTest::newRow("notice text") << "TForm4"
                                     << "Label1" << QRect(28, 64, 241, 40) << 16 << true;
        QTest::newRow("notice banner") << "TForm4"
                                       << "Image1" << QRect(20, 12, 265, 49) << 11 << false;
        QTest::newRow("notice OK") << "TForm4"
                                   << "Button1" << QRect(16, 108, 269, 29) << 11 << true;
        QTest::newRow("information title") << "TForm6"
                                           << "Label1" << QRect(0, 0, 608, 13) << 11 << true;
        QTest::newRow("information memo") << "TForm6"
                                          << "Memo1" << QRect(6, 24, 595, 235) << 12 << false;
        QTest::newRow("information OK") << "TForm6"
                                        << "Button1" << QRect(266, 270, 79, 25) << 11 << false;
        QTest::newRow("splash picture") << "TForm7"
                                        << "Image1" << QRect(0, 0, 469, 317) << 11 << false;
        QTest::newRow("splash frame") << "TForm7"
                                      << "Shape1" << QRect(0, 0, 469, 313) << 11 << false;
    }
    void componentsAsLaidOut()
    {
        QFETCH(QString, form);
        QFETCH(QString, component);
        QFETCH(QRect, geometry);
        QFETCH(int, pixelSize);
        QFETCH(bool, bold);
        const auto window = makeForm(form);
        const auto* widget = window->findChild<QWidget*>(component);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(widget->font().pixelSize(), pixelSize);
        QCOMPARE(widget->font().bold(), bold);
    }

    void tabGoesFromTheMemoToTheButton_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("button");
        QTest::newRow("About") << "TForm2"
                               << "Panel1";
        QTest::newRow("information") << "TForm6"
                                     << "Button1";
    }
    void tabGoesFromTheMemoToTheButton()
    {
        QFETCH(QString, form);
        QFETCH(QString, button);
        const auto window = makeForm(form);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        auto* memo = window->findChild<QPlainTextEdit*>("Memo1");
        QCOMPARE(QApplication::focusWidget(), memo);
        QTest::keyClick(memo, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window->findChild<QWidget*>(button));
    }

    void pointers()
    {
        TForm2 about;
        QCOMPARE(about.Panel1->cursor().shape(), Qt::PointingHandCursor);
        TForm7 splash;
        QCOMPARE(splash.Shape1->cursor().shape(), Qt::WaitCursor);
        QCOMPARE(splash.cursor().shape(), Qt::WaitCursor);
    }

    void noticeFrameIsSixPixelsOfBlack()
    {
        TForm4 form;
        const QImage image = form.grab().toImage();
        for (const QPoint& p : {QPoint(0, 0), QPoint(5, 74), QPoint(150, 5), QPoint(295, 74),
                                QPoint(150, 143), QPoint(300, 148)})
            QCOMPARE(image.pixelColor(p), QColor(Qt::black));
        for (const QPoint& p : {QPoint(6, 74), QPoint(294, 74), QPoint(8, 142)})
            QVERIFY(image.pixelColor(p) != QColor(Qt::black));
    }

    void longLinesAreCutIntoRows_data()
    {
        const qsizetype max = MemoLines::MaxRowLength;
        QTest::addColumn<QString>("line");
        QTest::addColumn<QList<qsizetype>>("rowLengths");
        QTest::newRow("short") << QString("abc") << QList<qsizetype>{3};
        QTest::newRow("exactly one row") << QString(max, 'a') << QList<qsizetype>{max};
        QTest::newRow("one over, no space") << QString(max + 1, 'a') << QList<qsizetype>{max, 1};
        QString spaced(max + 10, 'a');
        spaced[max - 100] = ' ';
        QTest::newRow("after a space in the second half")
            << spaced << QList<qsizetype>{max - 99, 109};
        QString early(max + 10, 'a');
        early[100] = ' ';
        QTest::newRow("space in the first half ignored") << early << QList<qsizetype>{max, 10};
        QString pair(max - 1, 'a');
        pair += QString::fromUcs4(U"\U0001F600") + "b";
        QTest::newRow("surrogate pair kept whole") << pair << QList<qsizetype>{max - 1, 3};
    }
    void longLinesAreCutIntoRows()
    {
        QFETCH(QString, line);
        QFETCH(QList<qsizetype>, rowLengths);
        const QStringList rows = MemoLines::displayRows(line);
        QList<qsizetype> lengths;
        for (const QString& row : rows)
            lengths << row.size();
        QCOMPARE(lengths, rowLengths);
        QCOMPARE(rows.join(QString()), line);
    }

    void tenMegabyteLineShowsPromptly()
    {
        TForm6 form;
        const QString huge(10 * 1024 * 1024, 'x');
        QElapsedTimer timer;
        timer.start();
        form.setLines({"before", huge, "after"});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.grab();
        QVERIFY2(timer.elapsed() < 30000, "laying out the memo took too long");
        const QStringList rows = memoLines(form.Memo1);
        QCOMPARE(rows.first(), "before");
        QCOMPARE(rows.last(), "after");
        QCOMPARE(rows.join(QString()).size(), huge.size() + 11);
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
