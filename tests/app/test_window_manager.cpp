// SPDX-License-Identifier: GPL-3.0-or-later
// The program's windows as the window system sees them: which window each secondary window stays
// above, and that no window leaves its one size, whoever asks it to maximise. ctest runs it
// headless; tools/check-wayland.sh runs the same checks under a Wayland compositor, where a window
// that answers a maximise request in the wrong size is ended by the compositor.
#include "Workspace.h"
#include "app/Forms.h"
#include "app/Startup.h"
#include "app/TForm1.h"
#include "character/TForm3.h"
#include "character/TForm5.h"
#include "platform/MessageBox.h"
#include "platform/WindowPlacement.h"
#include "windows/TForm2.h"
#include "windows/TForm4.h"
#include "windows/TForm6.h"
#include "windows/TForm7.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {

QWidget* form(const QString& name)
{
    const QHash<QString, QWidget*> forms = {
        {"Form1", Form1}, {"Form2", Form2}, {"Form3", Form3}, {"Form4", Form4},
        {"Form5", Form5}, {"Form6", Form6}, {"Form7", Form7},
    };
    return forms.value(name);
}

// Shows the window the way a user reaches it: its owner first.
void showWithOwner(QWidget* window)
{
    if (QWidget* owner = ownerOf(window))
        showWithOwner(owner);
    if (!window->isVisible())
        window->show();
}

// Lets the window system answer, long enough for a compositor's configure and its check of the
// next frame.
void settle()
{
    QTest::qWait(300);
}

} // namespace

class TestWindowManager : public QObject
{
    Q_OBJECT
    std::unique_ptr<Workspace> m_workspace;

private slots:
    void initTestCase()
    {
        m_workspace = std::make_unique<Workspace>(AllDataFiles);
        MessageBox::setRecording(true);
        prepareApplication(*qApp);
        createForms();
        QCOMPARE(MessageBox::takeShown().size(), 0);
    }
    void cleanupTestCase()
    {
        destroyForms();
        m_workspace.reset();
    }
    void cleanup()
    {
        for (QWidget* window : {static_cast<QWidget*>(Form7), static_cast<QWidget*>(Form6),
                                static_cast<QWidget*>(Form5), static_cast<QWidget*>(Form4),
                                static_cast<QWidget*>(Form3), static_cast<QWidget*>(Form2),
                                static_cast<QWidget*>(Form1)})
            window->hide();
        QCoreApplication::processEvents();
    }

    void eachSecondaryWindowStaysAboveItsCaller_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("owner");
        QTest::newRow("About above the main menu") << "Form2"
                                                   << "Form1";
        QTest::newRow("beta notes above the main menu") << "Form6"
                                                        << "Form1";
        QTest::newRow("tip above the character window") << "Form5"
                                                        << "Form3";
        QTest::newRow("notice above the character window") << "Form4"
                                                           << "Form3";
        // The character window is a working window beside the menu: either comes to the front.
        QTest::newRow("character window on its own") << "Form3"
                                                     << "";
        QTest::newRow("main menu on its own") << "Form1"
                                              << "";
        QTest::newRow("splash on its own") << "Form7"
                                           << "";
    }
    void eachSecondaryWindowStaysAboveItsCaller()
    {
        QFETCH(QString, window);
        QFETCH(QString, owner);
        QWidget* shown = form(window);
        QWidget* expected = form(owner);
        QCOMPARE(ownerOf(shown), expected);
        // X11 window managers keep only dialogs above the window they belong to.
        if (expected)
            QCOMPARE(shown->windowType(), Qt::Dialog);
        showWithOwner(shown);
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        QVERIFY(shown->windowHandle());
        QCOMPARE(shown->windowHandle()->transientParent(),
                 expected ? expected->windowHandle() : nullptr);

        // Shown a second time, after a hide, it keeps its owner.
        shown->hide();
        shown->show();
        QCOMPARE(shown->windowHandle()->transientParent(),
                 expected ? expected->windowHandle() : nullptr);
    }

    void noWindowLeavesItsSize_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("byTheWindowSystem");
        const QList<std::pair<QString, QSize>> windows = {
            {"Form1", {467, 279}}, {"Form2", {393, 414}}, {"Form3", {601, 399}},
            {"Form4", {301, 149}}, {"Form5", {281, 123}}, {"Form6", {608, 308}},
            {"Form7", {469, 313}},
        };
        for (const auto& [name, size] : windows) {
            // A title-bar button drawn by the platform asks the native window; the program and
            // most shortcuts ask the widget.
            QTest::addRow("%s, title-bar button", qPrintable(name)) << name << size << true;
            QTest::addRow("%s, showMaximized", qPrintable(name)) << name << size << false;
        }
    }
    void noWindowLeavesItsSize()
    {
        QFETCH(QString, window);
        QFETCH(QSize, size);
        QFETCH(bool, byTheWindowSystem);
        QWidget* shown = form(window);
        QVERIFY(!(shown->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(shown->minimumSize(), size);
        QCOMPARE(shown->maximumSize(), size);

        showWithOwner(shown);
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        if (byTheWindowSystem)
            shown->windowHandle()->setWindowStates(Qt::WindowMaximized);
        else
            shown->showMaximized();
        settle();
        QVERIFY(!(shown->windowHandle()->windowStates() & Qt::WindowMaximized));
        QVERIFY(!shown->isMaximized());
        QCOMPARE(shown->size(), size);
        QCOMPARE(shown->windowHandle()->size(), size);

        QVERIFY(shown->isVisible());
    }

    void maximisingTheMenuWhileAboutIsOpen()
    {
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
        QSize menuSize, aboutSize;
        bool menuMaximised = true;
        bool aboutShown = false;
        QTimer::singleShot(0, Form2, [&] {
            aboutShown = Form2->isVisible();
            aboutShown = aboutShown && QTest::qWaitForWindowExposed(Form2);
            Form1->windowHandle()->setWindowStates(Qt::WindowMaximized);
            settle();
            menuMaximised = Form1->windowHandle()->windowStates() & Qt::WindowMaximized;
            menuSize = Form1->windowHandle()->size();
            aboutSize = Form2->windowHandle()->size();
            Form2->Panel1Click();
        });
        QTest::mouseClick(Form1->Button2, Qt::LeftButton); // opens About modally
        QVERIFY(aboutShown);
        QVERIFY(!Form2->isVisible());
        QVERIFY(!menuMaximised);
        QCOMPARE(menuSize, QSize(467, 279));
        QCOMPARE(aboutSize, QSize(393, 414));
        QCOMPARE(Form2->windowHandle()->transientParent(), Form1->windowHandle());
    }

    void characterWindowAndTipOpenFromTheirButtons()
    {
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
        QTest::mouseClick(Form1->Button1, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(Form3));
        QCOMPARE(Form3->windowHandle()->size(), QSize(601, 399));
        QTest::mouseClick(Form3->BitBtn3, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(Form5));
        QCOMPARE(Form5->windowHandle()->transientParent(), Form3->windowHandle());
        QCOMPARE(Form5->windowHandle()->size(), QSize(281, 123));
        settle();
        QVERIFY(Form1->isVisible() && Form3->isVisible() && Form5->isVisible());
    }
};

QTEST_MAIN(TestWindowManager)
#include "test_window_manager.moc"
