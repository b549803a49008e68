#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

struct Message
{
    QString context;
    QString source;
    QString translation;
    bool finished = false;
};

// The messages of a Qt Linguist file; a <byte value="xd"/> inside a text is a carriage return.
QList<Message> messagesOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    QList<Message> messages;
    QString context;
    QXmlStreamReader xml(&file);
    QString *text = nullptr;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (xml.name() == QLatin1String("message")) {
                messages.append({context, {}, {}, true});
            } else if (xml.name() == QLatin1String("source")) {
                text = &messages.last().source;
            } else if (xml.name() == QLatin1String("translation")) {
                text = &messages.last().translation;
                messages.last().finished = xml.attributes().value(QLatin1String("type")).isEmpty();
            } else if (xml.name() == QLatin1String("byte") && text) {
                *text += QChar(xml.attributes().value(QLatin1String("value")).toString().toUInt(nullptr, 16));
            }
        } else if (xml.isCharacters() && text) {
            *text += xml.text();
        } else if (xml.isEndElement() && (xml.name() == QLatin1String("source") || xml.name() == QLatin1String("translation"))) {
            text = nullptr;
        }
    }
    if (xml.hasError())
        qFatal("%s: %s", qPrintable(path), qPrintable(xml.errorString()));
    return messages;
}

QString shown(const Message &message)
{
    return message.context + QStringLiteral(": \"") + message.source + QLatin1Char('"');
}

// The %1 ... %99 a text fills in, in order.
QStringList placeholders(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("%\\d+"));
    QStringList found;
    for (const QRegularExpressionMatch &match : pattern.globalMatch(text))
        found << match.captured();
    found.sort();
    return found;
}

// How many mnemonic marks a text has: an "&" before a letter or digit ("&&" is a plain "&").
int mnemonics(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("(?<!&)&(?=[^&\\s])"));
    return int(text.count(pattern));
}

const QString committed = QStringLiteral(WZP_SOURCE_DIR "/translations/wzplog_de.ts");

} // namespace

class TranslationsTest : public QObject
{
    Q_OBJECT

private slots:
    // The texts the sources hold today are merged into a copy of the German file the way a
    // translator updates it; every one of them must come out with a finished translation.
    void everySourceTextHasAFinishedGermanTranslation()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString copy = folder.filePath(QStringLiteral("wzplog_de.ts"));
        QVERIFY(QFile::copy(committed, copy));
        QProcess update;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LUPDATE"), QStringLiteral(WZP_LUPDATE));
        update.setProcessEnvironment(environment);
        update.start(QStringLiteral("sh"), {QStringLiteral(WZP_SOURCE_DIR "/tools/update-translations.sh"), copy});
        QVERIFY(update.waitForFinished(120000));
        QVERIFY2(update.exitStatus() == QProcess::NormalExit && update.exitCode() == 0,
                 update.readAllStandardError().constData());
        const QList<Message> messages = messagesOf(copy);
        QVERIFY(messages.size() > 400);
        QStringList unfinished;
        for (const Message &message : messages) {
            if (!message.finished || message.translation.isEmpty())
                unfinished << shown(message);
        }
        QVERIFY2(unfinished.isEmpty(), qPrintable(QStringLiteral("%1 unfinished:\n").arg(unfinished.size())
                                                  + unfinished.mid(0, 20).join(QLatin1Char('\n'))));
    }

    // A translation fills in what its source fills in, and has a mnemonic where its source has one.
    void translationsKeepPlaceholdersAndMnemonics()
    {
        QStringList wrong;
        for (const Message &message : messagesOf(committed)) {
            if (placeholders(message.translation) != placeholders(message.source))
                wrong << shown(message) + QStringLiteral(" fills in other values");
            if (mnemonics(message.translation) != mnemonics(message.source))
                wrong << shown(message) + QStringLiteral(" has another number of mnemonics");
            if (message.source.count(QLatin1Char('\r')) != message.translation.count(QLatin1Char('\r')))
                wrong << shown(message) + QStringLiteral(" has another number of lines");
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TranslationsTest)
#include "tst_translations.moc"
