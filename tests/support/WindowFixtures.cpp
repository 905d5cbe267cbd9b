// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowFixtures.h"

#include "platform/MessageBox.h"
#include "platform/SoundPlayer.h"

#include <QComboBox>
#include <QTest>

#include <memory>
#include <utility>

namespace {

QStringList g_playRequests;

class RecordingSink final : public SoundPlayer::Sink
{
public:
    explicit RecordingSink(QString fileName) : m_fileName(std::move(fileName)) {}
    void start(QIODevice*) override { g_playRequests.append(m_fileName); }
    bool isActive() const override { return false; }

private:
    QString m_fileName;
};

void expectBox(MessageBox::Shown::Kind kind, const QString& text)
{
    const QList<MessageBox::Shown> shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, kind);
    QCOMPARE(shown[0].text, text);
}

} // namespace

void chooseByUser(QComboBox* list, int index)
{
    if (index > 0) {
        list->setCurrentIndex(index - 1);
        QTest::keyClick(list, Qt::Key_Down);
    } else {
        list->setCurrentIndex(1);
        QTest::keyClick(list, Qt::Key_Up);
    }
}

void expectErrorBox(const QString& text)
{
    expectBox(MessageBox::Shown::Error, text);
}

void expectInformationBox(const QString& text)
{
    expectBox(MessageBox::Shown::Information, text);
}

void recordPlayRequests()
{
    SoundPlayer::setSinkFactory([](const WaveSound&, const QString& fileName) {
        return std::make_unique<RecordingSink>(fileName);
    });
}

QStringList takePlayRequests()
{
    return std::exchange(g_playRequests, {});
}
