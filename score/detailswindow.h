#pragma once

#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <memory>

namespace Ui {
class DetailsWindow;
}
class LogData;

// The QSO details window: a small frameless window on top of the others that lists the QSOs of
// the LOG view behind a clicked cell of the DOK grid. It lives for the whole run. Its own title
// strip shows its title and moves it when dragged.
class DetailsWindow : public QWidget
{
    Q_OBJECT

public:
    explicit DetailsWindow(LogData &dm, QWidget *parent = nullptr);
    ~DetailsWindow() override;

    // The grid the window is placed beside when it is shown.
    void setAnchor(QWidget *matrix);
    void prepareOnShow();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitColumns();
    QSize wantedSize() const;

    std::unique_ptr<Ui::DetailsWindow> ui;
    LogData &m_data;
    QPointer<QWidget> m_anchor;
    QPoint m_grabOffset;
    bool m_dragging = false;
};
