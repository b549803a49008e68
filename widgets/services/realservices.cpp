#include "realservices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QSoundEffect>
#include <QUrl>

namespace {

QString withLineBreaks(QString text)
{
    return text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

QString title()
{
    return QApplication::applicationDisplayName();
}

} // namespace

void MessageBoxPrompter::message(const QString &text)
{
    QMessageBox::information(QApplication::activeWindow(), title(), withLineBreaks(text));
}

void MessageBoxPrompter::error(const QString &text)
{
    QMessageBox::critical(QApplication::activeWindow(), title(), withLineBreaks(text));
}

bool MessageBoxPrompter::askOver(QWidget *parent, const QString &text, Question question)
{
    QWidget *over = parent ? parent : QApplication::activeWindow();
    if (question == Question::YesCancel) {
        return QMessageBox::information(over, title(), withLineBreaks(text),
                                        QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel)
            == QMessageBox::Yes;
    }
    return QMessageBox::question(over, title(), withLineBreaks(text),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

void MessageBoxPrompter::beep()
{
    QApplication::beep();
}

void EffectSoundPlayer::play(const QString &fileName)
{
    const QString path = QDir::current().absoluteFilePath(fileName);
    if (!QFileInfo(path).isFile())
        return;
    QPointer<QSoundEffect> &effect = m_effects[path];
    if (!effect) {
        effect = new QSoundEffect(qApp);
        effect->setSource(QUrl::fromLocalFile(path));
    }
    effect->play();
}

QString SystemDesktop::openFileName(const QString &caption, const QString &filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, QString(), filter);
}

QString SystemDesktop::saveFileName(const QString &caption, const QString &filter,
                                    const QString &suggestedName)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, suggestedName, filter);
}

bool SystemDesktop::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

bool SystemDesktop::startProgram(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}
