#include "preparedtextdelegate.h"
#include "statuscolours.h"
#include "statusdelegate.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

// Grids that draw their texts from prepared layouts look exactly as the style draws them.
class PreparedTextTest : public QObject
{
    Q_OBJECT

public:
    enum class State { Plain, Focused, Disabled };
    Q_ENUM(State)

private:
    // A small grid of log-like cells, the second row selected and current; a focused grid frames
    // its current cell, a disabled one greys its texts.
    static QImage drawn(QStyledItemDelegate *delegate, int narrowWidth, Qt::Alignment alignment, State state = State::Plain)
    {
        QStandardItemModel model(3, 4);
        const char *texts[3][4] = {{"N11", "DL1ABC/P", "05/03/2009", "C"},
                                   {"A01", "DK0XYZ", "31/12/2024", "A"},
                                   {"Z99", "ON4ÄÖÜ", "01/01/2000", "*"}};
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 4; ++column) {
                auto *item = new QStandardItem(QString::fromUtf8(texts[row][column]));
                item->setTextAlignment(alignment);
                model.setItem(row, column, item);
            }
        }
        QTableView grid;
        grid.setModel(&model);
        grid.setItemDelegate(delegate);
        delegate->setParent(&grid);
        grid.verticalHeader()->hide();
        grid.horizontalHeader()->hide();
        grid.setColumnWidth(1, narrowWidth);
        grid.resize(400, 120);
        grid.setCurrentIndex(model.index(1, 2));
        grid.selectRow(1);
        grid.setEnabled(state != State::Disabled);
        if (state == State::Focused) {
            grid.show();
            QApplication::setActiveWindow(&grid);
            if (!QTest::qWaitForWindowActive(&grid))
                return {};
            grid.setFocus();
        }
        return grid.grab().toImage();
    }

private slots:
    void looksAsTheStyleDrawsIt_data()
    {
        QTest::addColumn<int>("callWidth");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<State>("state");
        const int left = Qt::AlignLeft | Qt::AlignVCenter;
        QTest::newRow("texts that fit") << 100 << left << State::Plain;
        QTest::newRow("texts that fit, the grid with the focus") << 100 << left << State::Focused;
        QTest::newRow("texts that fit, the grid disabled") << 100 << left << State::Disabled;
        QTest::newRow("texts at the top") << 100 << int(Qt::AlignLeft | Qt::AlignTop) << State::Plain;
        QTest::newRow("calls cut short by a narrow column") << 40 << left << State::Plain;
        QTest::newRow("centred texts") << 100 << int(Qt::AlignCenter) << State::Plain;
    }

    void looksAsTheStyleDrawsIt()
    {
        QFETCH(int, callWidth);
        QFETCH(int, alignment);
        QFETCH(State, state);
        const QImage style = drawn(new QStyledItemDelegate, callWidth, Qt::Alignment(alignment), state);
        const QImage prepared = drawn(new PreparedTextDelegate, callWidth, Qt::Alignment(alignment), state);
        QVERIFY(!style.isNull());
        if (state != State::Plain) // the case is only worth having if the style draws it differently
            QVERIFY(style != drawn(new QStyledItemDelegate, callWidth, Qt::Alignment(alignment)));
        QCOMPARE(prepared, style);
    }

    void statusGroundsStayUnderThePreparedTexts()
    {
        const QImage status = drawn(new StatusDelegate, 100, Qt::AlignLeft | Qt::AlignVCenter);
        // The "C" cell of the first row: its ground, and its letter drawn dark on it.
        const QRect cell(304, 4, 80, 20);
        QCOMPARE(status.pixelColor(cell.topLeft()), statuscolours::confirmed);
        bool letterDrawn = false;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                letterDrawn = letterDrawn || status.pixelColor(x, y).lightness() < 80;
        QVERIFY(letterDrawn);
    }
};

QTEST_MAIN(PreparedTextTest)
#include "tst_preparedtext.moc"
