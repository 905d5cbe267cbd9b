// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures on screens with two device pixels to a pixel: every picture has a twin drawn at
// twice its size, and at a scale factor of 2 the windows show the twins, not the pictures blown up.
#include "app/TForm1.h"
#include "character/TForm3.h"
#include "character/TForm5.h"
#include "platform/Artwork.h"
#include "platform/PicturePixels.h"
#include "windows/TForm2.h"
#include "windows/TForm4.h"
#include "windows/TForm7.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

// The windows' pictures are compared with the files as images of one format.
QImage asImage(const QPixmap& pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage fileImage(const QString& resource)
{
    return QImage(resource).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

class TestArtwork : public QObject
{
    Q_OBJECT
    std::unique_ptr<TForm1> m_menu;
    std::unique_ptr<TForm2> m_about;
    std::unique_ptr<TForm3> m_character;
    std::unique_ptr<TForm4> m_notice;
    std::unique_ptr<TForm5> m_tip;
    std::unique_ptr<TForm7> m_splash;

    QWidget* window(const QString& name) const
    {
        const QHash<QString, QWidget*> windows = {
            {"TForm1", m_menu.get()},   {"TForm2", m_about.get()}, {"TForm3", m_character.get()},
            {"TForm4", m_notice.get()}, {"TForm5", m_tip.get()},   {"TForm7", m_splash.get()},
        };
        return windows.value(name);
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(qApp->devicePixelRatio(), 2.0);
        m_menu = std::make_unique<TForm1>();
        m_about = std::make_unique<TForm2>();
        m_character = std::make_unique<TForm3>();
        m_notice = std::make_unique<TForm4>();
        m_tip = std::make_unique<TForm5>();
        m_splash = std::make_unique<TForm7>();
    }

    void everyPictureHasATwinOfTwiceItsSize_data()
    {
        QTest::addColumn<QString>("picture");
        int pictures = 0;
        QDirIterator it(":/art", {"*.png", "*.bmp"}, QDir::Files);
        while (it.hasNext()) {
            const QString path = it.next();
            if (path.contains("@2x"))
                continue;
            QTest::newRow(qPrintable(path)) << path;
            ++pictures;
        }
        QVERIFY(pictures >= 14);
    }
    void everyPictureHasATwinOfTwiceItsSize()
    {
        QFETCH(QString, picture);
        const QString twin = Artwork::twinName(picture);
        QVERIFY2(QFile::exists(twin), qPrintable(twin));
        const QSize size = QImageReader(picture).size();
        QVERIFY(!size.isEmpty());
        QCOMPARE(QImageReader(twin).size(), size * 2);
        // The twin has the picture's transparency, or lack of it.
        QCOMPARE(QImage(twin).hasAlphaChannel(), QImage(picture).hasAlphaChannel());
    }

    void everyTwinHasItsPicture()
    {
        QDirIterator it(":/art", {"*@2x.*"}, QDir::Files);
        int twins = 0;
        while (it.hasNext()) {
            QString picture = it.next();
            picture.remove("@2x");
            QVERIFY2(QFile::exists(picture), qPrintable(picture));
            ++twins;
        }
        QVERIFY(twins >= 14);
    }

    void labelsShowTheTwins_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("picture");
        QTest::newRow("main menu") << "TForm1"
                                   << "Image1"
                                   << ":/art/main.png";
        QTest::newRow("About") << "TForm2"
                               << "Image1"
                               << ":/art/about.png";
        QTest::newRow("sheet title") << "TForm3"
                                     << "Image1"
                                     << ":/art/sheet_title.png";
        QTest::newRow("melee row") << "TForm3"
                                   << "Image2"
                                   << ":/art/icon_melee.png";
        QTest::newRow("armour row") << "TForm3"
                                    << "Image3"
                                    << ":/art/icon_armour.png";
        QTest::newRow("first ranged row") << "TForm3"
                                          << "Image4"
                                          << ":/art/icon_ranged1.png";
        QTest::newRow("second ranged row") << "TForm3"
                                           << "Image5"
                                           << ":/art/icon_ranged2.png";
        QTest::newRow("notice banner") << "TForm4"
                                       << "Image1"
                                       << ":/art/notice.png";
        QTest::newRow("splash") << "TForm7"
                                << "Image1"
                                << ":/art/splash.png";
    }
    void labelsShowTheTwins()
    {
        QFETCH(QString, window);
        QFETCH(QString, label);
        QFETCH(QString, picture);
        auto* image = this->window(window)->findChild<QLabel*>(label);
        QVERIFY(image);
        const QPixmap shown = image->pixmap();
        QCOMPARE(shown.devicePixelRatio(), 2.0);
        // Drawn at the picture's size in pixels of the layout, from the twin's own pixels.
        QCOMPARE(shown.deviceIndependentSize().toSize(), QImageReader(picture).size());
        QCOMPARE(asImage(shown), fileImage(Artwork::twinName(picture)));
    }

    void buttonGlyphsComeFromTheTwins_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("glyph");
        QTest::newRow("copy") << "BitBtn1"
                              << ":/art/glyph_copy.png";
        QTest::newRow("save") << "BitBtn2"
                              << ":/art/glyph_save.png";
        QTest::newRow("tip") << "BitBtn3"
                             << ":/art/glyph_tip.png";
        QTest::newRow("back") << "BitBtn5"
                              << ":/art/glyph_back.png";
    }
    void buttonGlyphsComeFromTheTwins()
    {
        QFETCH(QString, button);
        QFETCH(QString, glyph);
        auto* bitBtn = m_character->findChild<QPushButton*>(button);
        QVERIFY(bitBtn);
        const QPixmap drawn = bitBtn->icon().pixmap(QSize(16, 16), 2.0);
        QCOMPARE(drawn.devicePixelRatio(), 2.0);
        QCOMPARE(drawn.size(), QSize(32, 32));
        QCOMPARE(asImage(drawn), fileImage(Artwork::twinName(glyph)));
    }

    void picturesAtOneDevicePixelToAPixel_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<qreal>("expected");
        QTest::newRow("1") << 1.0 << 1.0;
        QTest::newRow("1.25, more pixels than the picture") << 1.25 << 2.0;
        QTest::newRow("2") << 2.0 << 2.0;
        QTest::newRow("3, the largest twin") << 3.0 << 2.0;
    }
    void picturesAtOneDevicePixelToAPixel()
    {
        QFETCH(qreal, ratio);
        QFETCH(qreal, expected);
        const QPixmap main = Artwork::picture(":/art/main.png", ratio);
        QCOMPARE(main.devicePixelRatio(), expected);
        QCOMPARE(main.deviceIndependentSize().toSize(), QSize(325, 220));
        // A picture without a twin is shown as it is.
        const QPixmap single = Artwork::picture(":/icons/hicolor/48x48/apps/kartak2.png", ratio);
        QCOMPARE(single.devicePixelRatio(), 1.0);
        QCOMPARE(single.size(), QSize(48, 48));
    }

    void picturesDecodedAtBuildTimeMatchTheirFiles_data()
    {
        QTest::addColumn<QString>("picture");
        QDirIterator it(":/art", {"*.png"}, QDir::Files);
        while (it.hasNext()) {
            const QString picture = it.next();
            if (!picture.contains("@2x"))
                QTest::newRow(qPrintable(picture)) << picture;
        }
    }
    void picturesDecodedAtBuildTimeMatchTheirFiles()
    {
        QFETCH(QString, picture);
        QVERIFY(QFile::exists(picture + ".pixels"));
        const QPixmap shown = Artwork::picture(picture, 1.0);
        QCOMPARE(shown.toImage().format(), QPixmap::fromImage(QImage(picture)).toImage().format());
        QCOMPARE(asImage(shown), fileImage(picture));
    }

    void storedPixelsComeBackOrNotAtAll_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("cut");
        QTest::addColumn<bool>("comesBack");
        QTest::newRow("aligned") << 0 << 0 << true;
        QTest::newRow("not aligned") << 1 << 0 << true;
        QTest::newRow("a pixel short") << 0 << 4 << false;
        QTest::newRow("header only") << 0 << 16 * 16 * 4 << false;
        QTest::newRow("half a header") << 0 << 16 * 16 * 4 + 10 << false;
    }
    void storedPixelsComeBackOrNotAtAll()
    {
        QFETCH(int, offset);
        QFETCH(int, cut);
        QFETCH(bool, comesBack);
        QImage picture(16, 16, QImage::Format_ARGB32);
        for (int i = 0; i < 256; ++i)
            picture.setPixel(i % 16, i / 16, qRgba(i, 255 - i, i / 2, i));
        const QImage kept = PicturePixels::asPixmapKeepsIt(picture);
        QCOMPARE(kept.format(), QImage::Format_ARGB32_Premultiplied);
        const QByteArray stored = QByteArray(offset, '\0') + PicturePixels::store(kept);
        const auto* data = reinterpret_cast<const uchar*>(stored.constData()) + offset;
        const QImage loaded = PicturePixels::load(data, stored.size() - offset - cut);
        QCOMPARE(loaded.isNull(), !comesBack);
        if (comesBack)
            QCOMPARE(loaded, kept);
    }

    void twinNames_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("twin");
        QTest::newRow("png") << ":/art/main.png"
                             << ":/art/main@2x.png";
        QTest::newRow("dot in a folder") << ":/a.b/main"
                                         << ":/a.b/main@2x";
        QTest::newRow("two dots") << ":/art/app.ico.png"
                                  << ":/art/app.ico@2x.png";
    }
    void twinNames()
    {
        QFETCH(QString, picture);
        QFETCH(QString, twin);
        QCOMPARE(Artwork::twinName(picture), twin);
    }

    void windowIconHasEverySize()
    {
        const QList<QSize> sizes = Artwork::applicationIcon().availableSizes();
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
            QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
        const QPixmap large = Artwork::applicationIcon().pixmap(QSize(128, 128), 1.0);
        QCOMPARE(large.size(), QSize(128, 128));
        QCOMPARE(asImage(large), fileImage(":/icons/hicolor/128x128/apps/kartak2.png"));
    }
};

int main(int argc, char* argv[])
{
    // Two device pixels to a pixel, as on a high-density screen.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestArtwork test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_artwork.moc"
