#include "logbook.h"

#include "mainwindow.h"
#include "splashwindow.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <sqlite3.h>

DataModule::DataModule(const QString &setupSql)
{
    if (!setupSql.isEmpty())
        db.execute(setupSql);
    dm = std::make_unique<TDm>(db.path());
    TForm1 splash(*dm);
    splash.FormShow();
}

DataModule::~DataModule() = default;

Logbook::Logbook(const QString &setupSql) : DataModule(setupSql), main(std::make_unique<TForm4>(*dm, nullptr))
{
    main->resize(1000, 700);
    main->show();
    main->activateWindow();
    QApplication::setActiveWindow(main.get());
    if (!QTest::qWaitForWindowActive(main.get()))
        qWarning("the main window did not become active");
}

Logbook::~Logbook()
{
    main.reset();
}

bool Logbook::isActive() const
{
    return QApplication::activeWindow() == main.get();
}

QString databaseContent(const TestDatabase &db)
{
    sqlite3 *handle = nullptr;
    sqlite3_open_v2(db.path().toUtf8().constData(), &handle, SQLITE_OPEN_READONLY, nullptr);
    QStringList tables;
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(handle, "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name", -1, &statement, nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW)
        tables << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    QString content;
    for (const QString &table : tables) {
        content += QStringLiteral("[%1]\n").arg(table);
        const QByteArray sql = QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table).toUtf8();
        sqlite3_prepare_v2(handle, sql.constData(), -1, &statement, nullptr);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, i));
                content += text ? QString::fromUtf8(text) : QStringLiteral("<null>");
                content += QLatin1Char('|');
            }
            content += QLatin1Char('\n');
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(handle);
    return content;
}

void whenDialogShows(std::function<void(QDialog *)> act)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    auto triesLeft = std::make_shared<int>(1000);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act, triesLeft] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (dialog || --*triesLeft <= 0) {
            timer->stop();
            timer->deleteLater();
        }
        if (dialog)
            act(dialog);
    });
    timer->start();
}
