#include "datafolder.h"
#include "testdatabase.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

quint32 little(const QByteArray &bytes, int at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes[at + i]);
    return value;
}

} // namespace

// The logging windows' sounds go from the build's delivered files into a new data folder, as short
// wave files that any player takes.
class SoundsTest : public QObject
{
    Q_OBJECT

private slots:
    void aNewDataFolderGetsEverySound_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("new DOK") << "newdok.wav";
        QTest::newRow("already confirmed") << "confdok.wav";
        QTest::newRow("written back") << "saved.wav";
    }

    void aNewDataFolderGetsEverySound()
    {
        QFETCH(QString, name);
        QTemporaryDir folder;
        const QString share = QFileInfo(TestDatabase::templatePath()).absolutePath();
        QCOMPARE(datafolder::prepare(folder.path(), share), QString());
        QFile sound(QDir(folder.path()).filePath(name));
        QVERIFY(sound.open(QIODevice::ReadOnly));
        const QByteArray wave = sound.readAll();
        QVERIFY(wave.size() > 44);
        QCOMPARE(wave.left(4), QByteArray("RIFF"));
        QCOMPARE(wave.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(little(wave, 20, 2), 1u); // PCM
        QCOMPARE(little(wave, 22, 2), 1u); // mono
        QCOMPARE(little(wave, 34, 2), 16u);
        QCOMPARE(wave.mid(36, 4), QByteArray("data"));
        const quint32 rate = little(wave, 24, 4);
        const quint32 dataBytes = little(wave, 40, 4);
        QCOMPARE(qsizetype(dataBytes) + 44, wave.size());
        const double seconds = double(dataBytes) / (rate * 2);
        QVERIFY2(seconds > 0.1 && seconds < 1.0, qPrintable(QString::number(seconds)));
    }
};

QTEST_MAIN(SoundsTest)
#include "tst_sounds.moc"
