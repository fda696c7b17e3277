// The details window through the real widgets: it shows what the details'
// layout says (the content itself is tested in report/), follows every command,
// fits the screen, copies the integers, saves the plot and closes, with the main
// dialog left as it was and no message box of its own.
#include "qt_test_support.h"
#include "report/details.h"
#include "report/details_layout.h"
#include "report/details_style.h"
#include "ui/qt/calc_dialog.h"
#include "ui/qt/details_form_view.h"
#include "ui/qt/details_section.h"
#include "ui/qt/details_widgets.h"
#include "ui/qt/details_window.h"
#include "ui/qt/plot_widget.h"
#include "support/sample_form.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QMenu>
#include <QSignalSpy>
#include <QScrollArea>
#include <QStyle>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include <optional>

using namespace veldronix;
using namespace veldronix::qt;
using namespace veldronix::testing;

namespace {

const QString notCalculated = QStringLiteral("設定値が計算されていません。入力情報を入力し、決定ボタンを押してください。");
const QString noPulseCount =
    QStringLiteral("速度プロファイルを表示するには、出力パルス数に0より大きい数値を入力してください。");
const QString noSetting = QStringLiteral("パラメーターエラー。設定値を求めることができません。");
const QString accelTimeZero = QStringLiteral("パラメーターエラー。ドライブ速度に達する時間が0です。");
const QString driveSpeedZero = QStringLiteral("パラメーターエラー。ドライブ速度が0です。");

const QString type3Clipboard = QStringLiteral("R=4000000\nA=8000\nSV=50\nV=5000\nK=126\nAO=0\nD=8000\nL=284\n");

// The rows of a table, each row's cells joined by " | ".
QStringList rowsOf(const QTableWidget& table)
{
    QStringList rows;
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table.columnCount(); ++column) {
            cells << table.item(row, column)->text();
        }
        rows << cells.join(QStringLiteral(" | "));
    }
    return rows;
}

QString text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

QColor colourOf(std::string_view hex)
{
    return QColor(QString::fromLatin1(hex.data(), static_cast<qsizetype>(hex.size())));
}

// The rows of a layout's table, as rowsOf gives a table widget's.
QStringList rowsOf(const report::DetailsTable& table)
{
    QStringList rows;
    for (const report::DetailsRow& row : table.rows) {
        QStringList cells;
        for (const report::DetailsLine& cell : row.cells) {
            cells << text(cell.text);
        }
        rows << cells.join(QStringLiteral(" | "));
    }
    return rows;
}

QStringList headingsOf(const QTableWidget& table)
{
    QStringList headings;
    for (int column = 0; column < table.columnCount(); ++column) {
        headings << table.horizontalHeaderItem(column)->text();
    }
    return headings;
}

// The visible labels of a name in the window, in layout order.
QStringList labelsOf(const QWidget& window, const char* name)
{
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>(QString::fromLatin1(name))) {
        if (label->isVisibleTo(&window)) {
            texts << label->text();
        }
    }
    return texts;
}

// The texts of the line labels of a name under parent, in layout order.
QStringList linesOf(const QWidget& parent, const char* name)
{
    QStringList texts;
    for (const QLabel* label : parent.findChildren<DetailsLineLabel*>(QString::fromLatin1(name))) {
        texts << label->text();
    }
    return texts;
}

QStringList textsOf(const std::vector<report::DetailsLine>& lines)
{
    QStringList texts;
    for (const report::DetailsLine& line : lines) {
        texts << text(line.text);
    }
    return texts;
}

} // namespace

class DetailsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        dialog_.emplace();
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowActive(&*dialog_));
        messages_.emplace(*dialog_);
    }

    void cleanup()
    {
        messages_.reset();
        dialog_.reset();
        // No window, menu, chooser or message box outlives its test.
        for (const QWidget* window : QApplication::topLevelWidgets()) {
            QVERIFY2(!window->isVisible(), qPrintable(window->objectName() + window->windowTitle()));
        }
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void opensFromTheContextMenuBeforeTheAboutItem()
    {
        QAction* details = dialog_->detailsAction();
        QVERIFY(details != nullptr);
        QCOMPARE(details->text(), QStringLiteral("詳細情報(&D)..."));
        QCOMPARE(dialog_->actions(), (QList<QAction*>{details, dialog_->aboutAction()}));

        auto menuTexts = std::make_shared<QStringList>();
        const auto menuShown = whenShown<QMenu>([details, menuTexts](QMenu& menu) {
            for (const QAction* action : menu.actions()) {
                *menuTexts << action->text();
            }
            QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(details).center());
        });
        const QPoint background(dialog_->width() / 2, dialog_->height() - 3);
        QCOMPARE(dialog_->childAt(background), nullptr);
        QTest::mouseClick(dialog_->windowHandle(), Qt::RightButton, {}, background);
        QTRY_VERIFY(*menuShown);
        QCOMPARE(*menuTexts, (QStringList{"詳細情報(&D)...", "Veldronix のﾊﾞｰｼﾞｮﾝ情報(&A)..."}));

        CDetailsWindow* window = dialog_->detailsWindow();
        QVERIFY(window != nullptr);
        QTRY_VERIFY(window->isVisible());
        QVERIFY(!window->isModal());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(window->windowTitle(), QStringLiteral("詳細情報"));
        QVERIFY(window->screen()->availableGeometry().contains(window->frameGeometry()));
        // Wide enough for the sections to come, though it shows a line or two.
        QVERIFY(window->width() >= 24 * window->fontMetrics().height());
        QCOMPARE(window->font().family(), dialog_->font().family());
        // Nothing calculated yet: one line says so, and only the forms are shown (an axis is
        // set up, a machine file opened, before anything is calculated).
        QCOMPARE(labelsOf(*window, "heading"), QStringList{notCalculated});
        QStringList shown;
        for (const QGroupBox* group : window->findChildren<QGroupBox*>()) {
            if (group->isVisibleTo(window)) {
                shown << group->title();
            }
        }
        QCOMPARE(shown, (QStringList{QStringLiteral("軸"), QStringLiteral("単位で入力")}));
        QCOMPARE(messageTexts(), QStringList{});
    }

    void showsWhatTheLayoutSays_data()
    {
        QTest::addColumn<int>("driveType");
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("drive");
        QTest::addColumn<QString>("pulses");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("finding"); // the start of a line under 確認事項; empty: none of the inputs
        QTest::newRow("symmetric trapezoid") << 0 << "100" << "10000" << "10000"
                                             << "ドライブ種類:対称台形加減速　倍率:2(4,000,000)" << "";
        QTest::newRow("symmetric S-curve") << 1 << "100" << "10000" << "10000"
                                           << "ドライブ種類:対称S字加減速　倍率:2(4,000,000)" << "";
        QTest::newRow("asymmetric trapezoid") << 2 << "100" << "10000" << "10000"
                                              << "ドライブ種類:非対称台形加減速　倍率:2(4,000,000)" << "";
        QTest::newRow("asymmetric S-curve") << 3 << "100" << "10000" << "10000"
                                            << "ドライブ種類:非対称S字加減速　倍率:2(4,000,000)" << "";
        // 0.1 -> 0.4 PPS at M = 1: SV, V and A round to 0, findings in every table.
        QTest::newRow("findings") << 0 << "0.1" << "0.4" << "10000" << "ドライブ種類:対称台形加減速　倍率:1(8,000,000)" << "";
        // 1000 pulses are fewer than the 2525 the ramps need: no plot, a warning line.
        QTest::newRow("move too short") << 3 << "100" << "10000" << "1000"
                                        << "ドライブ種類:非対称S字加減速　倍率:2(4,000,000)" << "";
        QTest::newRow("no pulse count") << 3 << "100" << "10000" << "" << "ドライブ種類:非対称S字加減速　倍率:2(4,000,000)" << "";
        QTest::newRow("huge pulse count") << 3 << "100" << "10000" << "1e300"
                                          << "ドライブ種類:非対称S字加減速　倍率:2(4,000,000)" << "";
        // Odd inputs, named under 確認事項 with what they were read as.
        const QString type3 = QStringLiteral("ドライブ種類:非対称S字加減速　倍率:2(4,000,000)");
        QTest::newRow("comma") << 3 << "1,000" << "10000" << "10000" << type3 << "▲ 初速度「1,000」は1";
        QTest::newRow("negative") << 3 << "-100" << "10000" << "10000" << type3 << "▲ 初速度「-100」は-100";
        QTest::newRow("cut") << 3 << "100" + QString(80, u' ') + "5" << "10000" << "10000" << type3
                             << "▲ 初速度は78バイトを超えるため";
    }

    void showsWhatTheLayoutSays()
    {
        QFETCH(int, driveType);
        QFETCH(QString, initial);
        QFETCH(QString, drive);
        QFETCH(QString, pulses);
        QFETCH(QString, heading);
        QFETCH(QString, finding);
        CDetailsWindow& window = openDetails();
        enter(driveType, initial, drive, "0.2", "0.3");
        typeInto(field("IDC_PULSE_COUNT"), pulses);
        click("IDC_CALCULATE");
        QCOMPARE(messageTexts(), QStringList{});
        const report::DetailsLayout& layout = window.shownLayout();
        QCOMPARE(labelsOf(window, "heading"), QStringList{heading});
        QCOMPARE(linesOf(window, "status"), textsOf(layout.status));
        // The findings' own lines, marked; the comparison's reason for no recommendation quotes one unmarked.
        QStringList findings;
        for (const QString& line : linesOf(window, "line").filter(QStringLiteral("読まれ"))) {
            if (line.startsWith(QStringLiteral("▲"))) {
                findings << line;
            }
        }
        QCOMPARE(findings.size(), finding.isEmpty() ? 0 : 1);
        QVERIFY(finding.isEmpty() || findings.front().startsWith(finding));
        QCOMPARE(window.sectionViews().size(), layout.sections.size());
        for (std::size_t i = 0; i < layout.sections.size(); ++i) {
            const report::DetailsSection& section = layout.sections[i];
            const DetailsSectionView& view = *window.sectionViews()[i];
            QCOMPARE(view.title(), text(section.heading));
            QCOMPARE(linesOf(view, "line"), textsOf(section.lines));
            // A warning line in the warning colour, the others in the window's own.
            const QList<DetailsLineLabel*> lines = view.findChildren<DetailsLineLabel*>(QStringLiteral("line"));
            for (qsizetype line = 0; line < lines.size(); ++line) {
                const bool red = lines[line]->palette().color(QPalette::WindowText) ==
                                 colourOf(report::detailsColours.warning);
                QCOMPARE(red, section.lines[std::size_t(line)].warning);
            }
            const bool plotted = section.kind == report::SectionKind::Plot && window.details().plot.has_value();
            QCOMPARE(view.plot()->isVisibleTo(&window), plotted);
            if (plotted) {
                QVERIFY(view.plot()->height() >= view.plot()->minimumSizeHint().height());
            }
            const QTableWidget& table = *view.table();
            QCOMPARE(table.isVisibleTo(&window), !section.table.columns.empty());
            QCOMPARE(rowsOf(table), rowsOf(section.table));
            QStringList columns;
            for (const report::DetailsColumn& column : section.table.columns) {
                columns << text(column.heading);
            }
            QCOMPARE(headingsOf(table), columns);
            // Marks as the layout gives them: a warning cell in the warning colour, a row's own colours.
            for (std::size_t row = 0; row < section.table.rows.size(); ++row) {
                const report::DetailsRow& cells = section.table.rows[row];
                for (std::size_t column = 0; column < cells.cells.size(); ++column) {
                    const QTableWidgetItem* item = table.item(int(row), int(column));
                    if (cells.cells[column].warning) {
                        QCOMPARE(item->foreground().color(), colourOf(report::detailsColours.warning));
                    } else if (cells.ink) {
                        QCOMPARE(item->foreground().color(), colourOf(*cells.ink));
                    }
                    if (cells.background) {
                        QCOMPARE(item->background().color(), colourOf(*cells.background));
                    }
                }
            }
            // Each button with the layout's label and state (no row is selected yet).
            for (const report::SectionButton& value : section.buttons) {
                // A form's commands share their action: each is told by its label.
                const QAbstractButton* button = value.action == report::SectionAction::Command
                                                    ? buttonLabelled(view, text(value.label))
                                                    : view.button(value.action);
                QVERIFY(button != nullptr && button->isVisibleTo(&window));
                QCOMPARE(button->text(), text(value.label));
                QCOMPARE(button->isEnabled(), report::isEnabled(value, false));
            }
        }
    }

    void followsEveryCommand()
    {
        CDetailsWindow& window = openDetails();
        enter(3, "100", "10000", "0.2", "0.3");
        click("IDC_CALCULATE");
        QCOMPARE(labelsOf(window, "heading"), QStringList{"ドライブ種類:非対称S字加減速　倍率:2(4,000,000)"});
        QCOMPARE(linesOf(plotView(window), "line"), QStringList{noPulseCount});
        QVERIFY(!window.findChild<QPushButton*>(QStringLiteral("saveButton")));

        // Recalculate with 10(800,000): the integers of the values shown now (K = 126.263 x 5 = 631.313).
        QVERIFY(chooseItem(*control<QComboBox>(*dialog_, "IDC_MULTIPLIER"), 3));
        click("IDC_RECALCULATE");
        QCOMPARE(messageTexts(), QStringList{});
        QCOMPARE(labelsOf(window, "heading"), QStringList{"ドライブ種類:非対称S字加減速　倍率:10(800,000)"});
        QCOMPARE(rowsOf(*window.sectionViews().front()->table()).at(4), QStringLiteral("K | 631 | 631.313"));

        // 算出 with 10000 pulses: the plot of that count, its deceleration point the dialog's.
        typeInto(field("IDC_PULSE_COUNT"), QStringLiteral("10000"));
        click("IDC_COMPUTE_DECEL_POINT");
        QCOMPARE(messageTexts(), QStringList{});
        QCOMPARE(control<QLabel>(*dialog_, "IDC_DECEL_POINT")->text(), QStringLiteral("8485.000"));
        QCOMPARE(rowsOf(*plotView(window).table()).at(3),
                 QStringLiteral("合計 | 1.247500秒 | 10000パルス | 減速点:8485パルス"));
        QVERIFY(window.findChild<QPushButton*>(QStringLiteral("saveButton"))->isEnabled());

        // A failed Calculate leaves the fields but no calculation: the window says nothing is calculated.
        const QStringList resultsBefore = results();
        typeInto(field("IDC_DRIVE_SPEED"), QString());
        click("IDC_CALCULATE");
        QCOMPARE(messageTexts(), QStringList{driveSpeedZero});
        QCOMPARE(labelsOf(window, "heading"), QStringList{notCalculated});
        QCOMPARE(linesOf(window, "status").front(),
                 QStringLiteral("▲ 決定:ドライブ速度が0です(空欄や数値でない文字は0と読まれます)。"));
        QCOMPARE(linesOf(window, "status"), textsOf(window.shownLayout().status));
        QCOMPARE(window.sectionViews().size(), window.shownLayout().sections.size());
        QCOMPARE(results(), resultsBefore);
        QVERIFY(window.isVisible());
    }

    // While the message box of a failed command is open, the window already shows that failure.
    void showsTheFailureWhileItsMessageIsOpen()
    {
        CDetailsWindow& window = openDetails();
        enter(3, "100", "10000", "0.2", "0.3");
        click("IDC_CALCULATE");
        messages_.reset(); // this box is read here
        typeInto(field("IDC_DRIVE_SPEED"), QString());
        auto meanwhile = std::make_shared<QStringList>();
        const auto read = whenShown<QMessageBox>([&window, meanwhile](QMessageBox& box) {
            *meanwhile = labelsOf(window, "heading") + linesOf(window, "status");
            box.accept();
        });
        click("IDC_CALCULATE");
        QVERIFY(*read);
        QCOMPARE(meanwhile->mid(0, 2),
                 (QStringList{notCalculated, "▲ 決定:ドライブ速度が0です(空欄や数値でない文字は0と読まれます)。"}));
    }

    void opensInsideTheWorkAreaAndResizes()
    {
        enter(3, "100", "10000", "0.2", "0.3");
        typeInto(field("IDC_PULSE_COUNT"), QStringLiteral("10000"));
        click("IDC_CALCULATE");
        CDetailsWindow& window = openDetails();
        const QRect workArea = window.screen()->availableGeometry();
        QVERIFY(workArea.contains(window.frameGeometry()));
        // Resizable: the plot is laid out again for its new size, the tables follow the width.
        const PlotWidget& plot = *plotView(window).plot();
        for (const QSize size : {QSize(720, 900), QSize(420, 500), QSize(1000, 700)}) {
            window.resize(size);
            QTRY_COMPARE(window.size(), size);
            QCoreApplication::processEvents();
            QVERIFY(plot.scene().has_value());
            QCOMPARE(QSizeF(plot.scene()->width, plot.scene()->height), QSizeF(plot.size()));
            const QScrollArea& scroll = *window.findChild<QScrollArea*>();
            // Never wider than the window: the sections follow its width.
            QVERIFY(scroll.widget()->width() <= scroll.viewport()->width());
            QVERIFY(!window.grab().isNull());
        }
    }

    // At the width the window opens with, the design's key columns (the item
    // and the design's value) show whole inside the table's viewport, with no
    // sideways scrolling, for either question; and at that width and a narrow
    // one no cell of any table is cut: a table narrower than its columns
    // scrolls sideways instead.
    void tablesShowEveryFigureWhole_data()
    {
        QTest::addColumn<int>("question");
        QTest::newRow("fastest") << 0;
        QTest::newRow("on time") << 1;
    }

    void tablesShowEveryFigureWhole()
    {
        QFETCH(int, question);
        enter(3, "100", "10000", "0.2", "0.3");
        typeInto(field("IDC_PULSE_COUNT"), QStringLiteral("10000"));
        click("IDC_CALCULATE");
        CDetailsWindow& window = openDetails();
        const DetailsSectionView* design = sectionTitled(window, QStringLiteral("移動の設計"));
        QVERIFY(design != nullptr);
        auto* choice = design->findChild<QComboBox*>(QStringLiteral("formChoice_question"));
        QVERIFY(choice != nullptr);
        choice->setCurrentIndex(question);
        emit choice->activated(question); // as a user's choice sends it
        QCoreApplication::processEvents();
        design = sectionTitled(window, QStringLiteral("移動の設計")); // the sections are made anew
        QVERIFY(design != nullptr);
        const QTableWidget& table = *design->table();
        QVERIFY(table.rowCount() > 10);
        for (int column = 0; column < 2; ++column) {
            QVERIFY2(table.columnViewportPosition(column) + table.columnWidth(column) <= table.viewport()->width(),
                     qPrintable(QStringLiteral("column %1 ends at %2 of %3").arg(column)
                                    .arg(table.columnViewportPosition(column) + table.columnWidth(column))
                                    .arg(table.viewport()->width())));
        }
        const auto everyCellWhole = [&window](const char* when) {
            for (const DetailsSectionView* section : window.sectionViews()) {
                const QTableWidget& shown = *section->table();
                QCOMPARE(shown.textElideMode(), Qt::ElideNone);
                const int margins = 2 * shown.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &shown) + 4;
                int columns = 0;
                for (int column = 0; column < shown.columnCount(); ++column) {
                    columns += shown.columnWidth(column);
                    for (int row = 0; row < shown.rowCount(); ++row) {
                        const QString cell = shown.item(row, column)->text();
                        QVERIFY2(shown.fontMetrics().horizontalAdvance(cell) + margins <= shown.columnWidth(column),
                                 qPrintable(QStringLiteral("%1, %2: %3").arg(when, section->title(), cell)));
                    }
                }
                // What the viewport does not show is reached by scrolling sideways.
                QVERIFY2(shown.viewport()->width() + shown.horizontalScrollBar()->maximum() >= columns,
                         qPrintable(QStringLiteral("%1, %2").arg(when, section->title())));
            }
        };
        everyCellWhole("opening width");
        window.resize(420, window.height());
        QTRY_COMPARE(window.width(), 420);
        QCoreApplication::processEvents();
        everyCellWhole("420 px");
        // The design's table is wider than its room now: it scrolls, its keys still first and whole.
        QVERIFY(table.horizontalScrollBar()->maximum() > 0);
        QCOMPARE(table.columnViewportPosition(1), table.columnWidth(0));
    }

    void choosingAComparisonRowRecalculates_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("accel");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("valueR");
        // 10(800,000) chosen: R = 16000000 / 20 = 800000, as 再計算 gives it.
        for (const char* way : {"double click", "Enter", "button"}) {
            QTest::addRow("%s", way) << way << "0.2" << QStringList{} << "800000 ";
        }
        // The time typed over with 0 since: 再計算's own message, the values stay.
        QTest::newRow("refused") << "button" << "0" << QStringList{accelTimeZero} << "4000000 ";
    }

    void choosingAComparisonRowRecalculates()
    {
        QFETCH(QString, way);
        QFETCH(QString, accel);
        QFETCH(QStringList, messages);
        QFETCH(QString, valueR);
        CDetailsWindow& window = openDetails();
        enter(0, "100", "10000", "0.2", "");
        click("IDC_CALCULATE");
        const auto& sections = window.shownLayout().sections;
        const auto found = std::find_if(sections.begin(), sections.end(), [](const report::DetailsSection& section) {
            return !section.rowIndices.empty();
        });
        QVERIFY(found != sections.end());
        const DetailsSectionView& view = *window.sectionViews()[std::size_t(found - sections.begin())];
        const std::vector<int>& indices = found->rowIndices;
        const int row = int(std::find(indices.begin(), indices.end(), 3) - indices.begin());
        QVERIFY(row < int(indices.size()));
        typeInto(field("IDC_ACCEL_TIME"), accel);
        QTableWidget& table = *view.table();
        // Greyed until a row is selected, as on Windows and the page: a click would do nothing.
        QVERIFY(!view.button(report::SectionAction::ChooseRow)->isEnabled());
        table.setCurrentCell(row, 0);
        QVERIFY(view.button(report::SectionAction::ChooseRow)->isEnabled());
        const QRect cell = table.visualItemRect(table.item(row, 0));
        if (way == "double click") {
            // As a mouse sends it: a click, then the second press.
            QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, cell.center());
        } else if (way == "Enter") {
            table.setFocus();
            QTest::keyClick(&table, Qt::Key_Return);
        } else {
            QTest::mouseClick(view.button(report::SectionAction::ChooseRow), Qt::LeftButton);
        }
        QCOMPARE(messageTexts(), messages);
        QCOMPARE(control<QComboBox>(*dialog_, "IDC_MULTIPLIER")->currentText(), QStringLiteral("10(800,000)"));
        QCOMPARE(control<QLabel>(*dialog_, "IDC_OUT_R")->text(), valueR);
        QVERIFY(dialog_->isVisible());
        if (messages.isEmpty()) {
            QCOMPARE(labelsOf(window, "heading"), QStringList{"ドライブ種類:対称台形加減速　倍率:10(800,000)"});
        }
    }

    // A section's form through Qt's widgets: the fields, units and greyed field the
    // layout gives; each keystroke reaches the form's controller, which the section
    // follows while the field keeps its text and focus; Enter and the button run
    // the command, whose requests type into the dialog and press 決定.
    void drawsAFormAndHandsItsEditsOn()
    {
        auto made = std::make_unique<testing_support::SampleForm>();
        testing_support::SampleForm& form = *made;
        dialog_->detailsForms().add(std::move(made));
        CDetailsWindow& window = openDetails();
        enter(0, "100", "10000", "0.2", "");
        const DetailsSectionView& view = *window.sectionViews().back();
        QCOMPARE(view.title(), QStringLiteral("試験の設計"));
        auto* speed = view.findChild<QLineEdit*>(QStringLiteral("formField_speed"));
        auto* time = view.findChild<QLineEdit*>(QStringLiteral("formField_time"));
        auto* question = view.findChild<QComboBox*>(QStringLiteral("formChoice_question"));
        QVERIFY(speed && time && question && view.form()->isVisibleTo(&window));
        QCOMPARE(std::make_tuple(speed->text(), speed->isEnabled(), time->text(), time->isEnabled()),
                 std::make_tuple(QStringLiteral("20000"), true, QStringLiteral("1.5"), false));
        QStringList units;
        for (const QLabel* label : view.form()->findChildren<QLabel*>()) {
            units << label->text();
        }
        QVERIFY(units.contains(QStringLiteral("PPS")) && units.contains(QStringLiteral("秒")));

        speed->setFocus();
        QTest::keyClicks(speed, QStringLiteral("5x"));
        QCOMPARE(form.edits, 2);
        QCOMPARE(std::make_tuple(speed->text(), QApplication::focusWidget() == speed),
                 std::make_tuple(QStringLiteral("200005x"), true));
        QCOMPARE(linesOf(view, "line"), QStringList{"速度 200005x PPS、計算なし"});
        const QLabel* finding = view.form()->findChild<QLabel*>(QStringLiteral("finding"));
        QCOMPARE(finding->text(), QStringLiteral("▲ 「200005x」は数値ではありません。"));
        QCOMPARE(finding->palette().color(QPalette::WindowText), colourOf(report::detailsColours.warning));
        question->setCurrentIndex(1);
        emit question->activated(1); // as a user's choice sends it
        QVERIFY(time->isEnabled());

        QTest::keyClick(speed, Qt::Key_Backspace);
        QTest::keyClick(speed, Qt::Key_Return);
        QCOMPARE(control<QLineEdit>(*dialog_, "IDC_DRIVE_SPEED")->text(), QStringLiteral("200005"));
        // 200005 PPS needs 50(160,000): V = 200005 / 50 = 4000.1.
        QCOMPARE(control<QLabel>(*dialog_, "IDC_OUT_V")->text(), QStringLiteral("4000.100 "));
        // Calculated, the details have their own sections before the form's.
        const DetailsSectionView& last = *window.sectionViews().back();
        QCOMPARE(window.sectionViews().size(), window.shownLayout().sections.size());
        QCOMPARE(last.title(), QStringLiteral("試験の設計"));
        typeInto(*last.findChild<QLineEdit*>(QStringLiteral("formField_speed")), QStringLiteral("30000"));
        QTest::mouseClick(last.button(report::SectionAction::Command), Qt::LeftButton);
        QCOMPARE(control<QLabel>(*dialog_, "IDC_OUT_V")->text(), QStringLiteral("6000.000 "));
        QCOMPARE(form.commands, (std::vector<std::string>{"apply", "apply"}));
        QCOMPARE(messageTexts(), QStringList{});
    }

    // The machine saved, the dialog closed, the file opened in a new one: the
    // same fields and details in the axis's units, the file's name in the
    // title, the same bytes saved again; a bad file changes nothing.
    void savesClosesAndOpensTheMachineFile()
    {
        QTemporaryDir folder;
        const QString first = folder.filePath(QStringLiteral("bench"));
        const QString again = folder.filePath(QStringLiteral("again.veldronix.json"));
        CDetailsWindow& window = openDetails();
        enter(0, "640", "32000", "0.2", "");
        click("IDC_CALCULATE");
        const DetailsSectionView* axis = sectionTitled(window, QStringLiteral("軸"));
        QVERIFY(axis != nullptr);
        typeInto(*axis->findChild<QLineEdit*>(QStringLiteral("formField_pulsesPerRev")), QStringLiteral("3200"));
        typeInto(*axis->findChild<QLineEdit*>(QStringLiteral("formField_travelPerRev")), QStringLiteral("5"));
        clickLabelled(window, QStringLiteral("機構を適用(&M)"));
        QCOMPARE(cellOf(window, 1, 2), QStringLiteral("32000.000 PPS(50.000 mm/s、600.000 rpm)"));
        const QString title = dialog_->windowTitle();
        dialog_->saveMachineTo(first);
        QCOMPARE(dialog_->windowTitle(), QStringLiteral("bench.veldronix.json - ") + title);
        const QString saved = first + QStringLiteral(".veldronix.json");

        window.close();
        dialog_.emplace();
        dialog_->show();
        CDetailsWindow& reopened = openDetails();
        dialog_->openMachineFrom(saved);
        QCOMPARE(control<QLineEdit>(*dialog_, "IDC_DRIVE_SPEED")->text(), QStringLiteral("32000"));
        QCOMPARE(cellOf(reopened, 1, 2), QStringLiteral("32000.000 PPS(50.000 mm/s、600.000 rpm)"));
        dialog_->saveMachineTo(again);
        QCOMPARE(bytesOf(again), bytesOf(saved));

        QFile bad(folder.filePath(QStringLiteral("bad.veldronix.json")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("{\"format\": 1}");
        bad.close();
        typeInto(field("IDC_DRIVE_SPEED"), QStringLiteral("1000"));
        dialog_->openMachineFrom(bad.fileName());
        QCOMPARE(control<QLineEdit>(*dialog_, "IDC_DRIVE_SPEED")->text(), QStringLiteral("1000"));
        QVERIFY(dialog_->windowTitle().startsWith(QStringLiteral("again.veldronix.json - ")));
        QCOMPARE(messageTexts(), QStringList{});
    }

    // Renaming an axis, by its button and by Enter in its name field, keeps the
    // dialog's fields, the axis's mechanics and the fields the other axis keeps.
    void renamingAnAxisKeepsItsFields()
    {
        CDetailsWindow& window = openDetails();
        enter(0, "640", "32000", "0.2", "");
        click("IDC_CALCULATE");
        const auto axisSection = [&window] { return sectionTitled(window, QStringLiteral("軸")); };
        const auto axisField = [&](const char* key) {
            return axisSection()->findChild<QLineEdit*>(QString::fromLatin1("formField_") + QLatin1String(key));
        };
        typeInto(*axisField("pulsesPerRev"), QStringLiteral("3200"));
        typeInto(*axisField("travelPerRev"), QStringLiteral("5"));
        clickLabelled(window, QStringLiteral("機構を適用(&M)"));
        typeInto(*axisField("name"), QStringLiteral("Y"));
        clickLabelled(window, QStringLiteral("追加(&N)"));
        typeInto(field("IDC_DRIVE_SPEED"), QStringLiteral("16000"));
        click("IDC_CALCULATE");

        typeInto(*axisField("name"), QStringLiteral("Z"));
        clickLabelled(window, QStringLiteral("名前の変更(&R)"));
        QTest::qWait(20);
        typeInto(*axisField("gear"), QStringLiteral("2")); // typed, not applied: it stays typed
        typeInto(*axisField("name"), QStringLiteral("W"));
        QTest::keyClick(axisField("name"), Qt::Key_Return);
        QTest::qWait(20);
        QCOMPARE(control<QLineEdit>(*dialog_, "IDC_DRIVE_SPEED")->text(), QStringLiteral("16000"));
        QCOMPARE(axisField("pulsesPerRev")->text(), QStringLiteral("3200"));
        QCOMPARE(axisField("gear")->text(), QStringLiteral("2"));
        QCOMPARE(cellOf(window, 1, 2), QStringLiteral("16000.000 PPS(25.000 mm/s、300.000 rpm)"));
        auto* list = axisSection()->findChild<QComboBox*>(QStringLiteral("formChoice_axis"));
        QCOMPARE(list->itemText(1), QStringLiteral("W"));
        QCOMPARE(list->currentIndex(), 1);

        // Back to the first axis and again to the renamed one: each its own drive speed.
        list->setCurrentIndex(0);
        emit list->activated(0);
        clickLabelled(window, QStringLiteral("切り替え(&W)"));
        QCOMPARE(control<QLineEdit>(*dialog_, "IDC_DRIVE_SPEED")->text(), QStringLiteral("32000"));
        list = axisSection()->findChild<QComboBox*>(QStringLiteral("formChoice_axis"));
        list->setCurrentIndex(1);
        emit list->activated(1);
        clickLabelled(window, QStringLiteral("切り替え(&W)"));
        QCOMPARE(control<QLineEdit>(*dialog_, "IDC_DRIVE_SPEED")->text(), QStringLiteral("16000"));
        QCOMPARE(messageTexts(), QStringList{});
    }

    void copiesTheIntegersInEachFormat()
    {
        CDetailsWindow& window = openDetails();
        QVERIFY(!window.findChild<QToolButton*>(QStringLiteral("copyButton")));
        enter(3, "100", "10000", "0.2", "0.3");
        click("IDC_CALCULATE");
        // A click copies the plain lines.
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        auto* copy = window.findChild<QToolButton*>(QStringLiteral("copyButton"));
        QTest::mouseClick(copy, Qt::LeftButton, {}, QPoint(4, copy->height() / 2));
        QCOMPARE(QGuiApplication::clipboard()->text(), type3Clipboard);
        QCOMPARE(labelsOf(window, "note"), QStringList{"整数の設定値をクリップボードにコピーしました。"});
        // Its menu offers every format of the details, the plain lines first.
        const QList<QAction*> actions = copy->menu()->actions();
        QCOMPARE(std::size_t(actions.size()), window.details().copyFormats.size());
        QVERIFY(!actions.isEmpty());
        for (std::size_t i = 0; i < window.details().copyFormats.size(); ++i) {
            const report::CopyFormat& format = window.details().copyFormats[i];
            QCOMPARE(actions[int(i)]->text(), text(format.label));
            QGuiApplication::clipboard()->clear();
            actions[int(i)]->trigger();
            QCOMPARE(QGuiApplication::clipboard()->text(), text(format.text));
        }
        QCOMPARE(QGuiApplication::clipboard()->text().isEmpty(), false);
        QCOMPARE(window.details().copyFormats.front().text, window.details().clipboardText);
        QCOMPARE(messageTexts(), QStringList{});
        QCOMPARE(control<QLabel>(*dialog_, "IDC_OUT_K")->text(), QStringLiteral("126.263 "));
    }

    void savesThePlot_data()
    {
        QTest::addColumn<QString>("chosenName");
        QTest::addColumn<int>("filter"); // 0 SVG, 1 PNG
        QTest::addColumn<QString>("writtenName");
        QTest::newRow("SVG by name") << "plot.svg" << 1 << "plot.svg";
        QTest::newRow("PNG by name") << "plot.PNG" << 0 << "plot.PNG";
        QTest::newRow("SVG by filter") << "プロファイル" << 0 << "プロファイル.svg";
        QTest::newRow("PNG by filter") << "plot" << 1 << "plot.png";
    }

    void savesThePlot()
    {
        QFETCH(QString, chosenName);
        QFETCH(int, filter);
        QFETCH(QString, writtenName);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        CDetailsWindow& window = openDetails();
        enter(3, "100", "10000", "0.2", "0.3");
        typeInto(field("IDC_PULSE_COUNT"), QStringLiteral("10000"));
        click("IDC_CALCULATE");

        const QString chosen = folder.filePath(chosenName);
        const auto chooserShown = whenShown<QFileDialog>([chosen, filter](QFileDialog& chooser) {
            chooser.selectNameFilter(chooser.nameFilters().at(filter));
            chooser.selectFile(chosen);
            QMetaObject::invokeMethod(&chooser, "accept"); // the chooser's own button: accept() is a slot of its own
        });
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("saveButton")), Qt::LeftButton);
        QVERIFY(*chooserShown);
        const QString written = folder.filePath(writtenName);
        QCOMPARE(labelsOf(window, "note"), QStringList{QDir::toNativeSeparators(written) + " に保存しました。"});
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{writtenName});
        QFile file(written);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray contents = file.readAll();
        if (writtenName.endsWith(QStringLiteral(".svg"))) {
            const auto svg = report::detailsPlotSvg(window.details());
            QVERIFY(svg.has_value());
            QCOMPARE(contents, QByteArray::fromStdString(*svg));
        } else {
            QImage image;
            QVERIFY(image.loadFromData(contents, "PNG"));
            QCOMPARE(image.size(), QSize(1920, 1280)); // the 960 x 640 document at twice its size
            // The scene replayed: the curve is there in its colour.
            const QRgb curve = colourOf(report::plotColours.curve).rgb();
            bool drawn = false;
            for (int y = 0; y < image.height() && !drawn; y += 2) {
                for (int x = 0; x < image.width() && !drawn; ++x) {
                    drawn = image.pixel(x, y) == curve;
                }
            }
            QVERIFY(drawn);
        }
        QCOMPARE(messageTexts(), QStringList{});
    }

    void saveFailureIsToldInTheWindow()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        CDetailsWindow& window = openDetails();
        enter(3, "100", "10000", "0.2", "0.3");
        typeInto(field("IDC_PULSE_COUNT"), QStringLiteral("10000"));
        click("IDC_CALCULATE");
        // A folder takes the name: it is refused as no file, and the folder stays.
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("plot.svg")));
        const QString target = folder.filePath(QStringLiteral("plot.svg"));
        window.saveTo(target);
        QCOMPARE(labelsOf(window, "note"),
                 QStringList{QDir::toNativeSeparators(target) +
                             " に保存できませんでした。フォルダーです。ファイルではないので、そのままにしました。"});
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("note"))->palette().color(QPalette::WindowText),
                 QColor(0xb9, 0x1c, 0x1c));
        QVERIFY(QFileInfo(target).isDir());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{}); // nothing left beside it
        // No folder at all to write into.
        const QString nowhere = folder.filePath(QStringLiteral("missing/plot.png"));
        window.saveTo(nowhere);
        QCOMPARE(labelsOf(window, "note"),
                 QStringList{QDir::toNativeSeparators(nowhere) + " に保存できませんでした。ファイルを作成できません。"});
        QCOMPARE(messageTexts(), QStringList{});
        // A cancelled chooser writes nothing and says nothing.
        const auto chooserShown = whenShown<QFileDialog>([](QFileDialog& chooser) { chooser.reject(); });
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("saveButton")), Qt::LeftButton);
        QVERIFY(*chooserShown);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{});
    }

    void closingLeavesTheDialogAsItWas_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("close button") << false;
        QTest::newRow("Esc") << true;
    }

    void closingLeavesTheDialogAsItWas()
    {
        QFETCH(bool, byEscape);
        enter(3, "100", "10000", "0.2", "0.3");
        typeInto(field("IDC_PULSE_COUNT"), QStringLiteral("10000"));
        click("IDC_CALCULATE");
        click("IDC_COMPUTE_DECEL_POINT");
        const QStringList before = results();
        CDetailsWindow& window = openDetails();
        QSignalSpy dialogFinished(&*dialog_, &QDialog::finished);
        if (byEscape) {
            QTest::keyClick(&window, Qt::Key_Escape);
        } else {
            QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("closeButton")), Qt::LeftButton);
        }
        QVERIFY(!window.isVisible());
        QVERIFY(dialog_->isVisible());
        QCOMPARE(dialogFinished.size(), 0);
        QCOMPARE(results(), before);
        QCOMPARE(control<QLabel>(*dialog_, "IDC_DECEL_POINT")->text(), QStringLiteral("8485.000"));
        QCOMPARE(field("IDC_PULSE_COUNT").property("text").toString(), QStringLiteral("10000"));
        // Opened again, it shows the same.
        QCOMPARE(&openDetails(), &window);
        QCOMPARE(labelsOf(window, "heading"), QStringList{"ドライブ種類:非対称S字加減速　倍率:2(4,000,000)"});
    }

    void dialogKeysStillEndTheProgram_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("Esc") << int(Qt::Key_Escape) << int(QDialog::Rejected);
        QTest::newRow("close box") << 0 << int(QDialog::Rejected);
    }

    void dialogKeysStillEndTheProgram()
    {
        QFETCH(int, key);
        QFETCH(int, result);
        CDetailsWindow& window = openDetails();
        QSignalSpy finished(&*dialog_, &QDialog::finished);
        if (key == 0) {
            QVERIFY(dialog_->close());
        } else {
            dialog_->activateWindow();
            field("IDC_INITIAL_SPEED").setFocus();
            QTest::keyClick(&field("IDC_INITIAL_SPEED"), Qt::Key(key));
        }
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), result);
        QVERIFY(!dialog_->isVisible());
        QVERIFY(!window.isVisible()); // the window goes with the dialog
    }

    void hostilePulseCountsNeverBreakTheWindow_data()
    {
        QTest::addColumn<QString>("pulses");
        QTest::addColumn<QString>("plotNote"); // empty: a plot
        QTest::newRow("infinite") << "1e400" << "▲ 速度プロファイルの数値が無限大または数値ではありません。";
        QTest::newRow("below 0") << "-1e400" << QString(noPulseCount);
        QTest::newRow("not a number") << "パルス" << QString(noPulseCount);
        QTest::newRow("huge") << "1e300" << "";
        QTest::newRow("multi-byte and markup") << QString(40, u'字') + "<b>5</b>" << QString(noPulseCount);
    }

    void hostilePulseCountsNeverBreakTheWindow()
    {
        QFETCH(QString, pulses);
        QFETCH(QString, plotNote);
        CDetailsWindow& window = openDetails();
        enter(3, "100", "10000", "0.2", "0.3");
        typeInto(field("IDC_PULSE_COUNT"), QStringLiteral("10000"));
        click("IDC_CALCULATE");
        const QSize size = window.size();
        typeInto(field("IDC_PULSE_COUNT"), pulses);
        const DetailsSectionView& plotSection = plotView(window);
        if (plotNote.isEmpty()) {
            QVERIFY(plotSection.plot()->plot().has_value());
        } else {
            QCOMPARE(linesOf(plotSection, "line"), QStringList{plotNote});
        }
        QVERIFY(!window.grab().isNull()); // painted whole, whatever the figures
        // A long figure never widens the window: the sections keep to its width,
        // a table's column holds the figure whole and the table scrolls sideways,
        // and a text cut at a line's edge is whole in its tooltip.
        QCOMPARE(window.size(), size);
        const QScrollArea& scroll = *window.findChild<QScrollArea*>();
        QVERIFY(scroll.widget()->width() <= scroll.viewport()->width());
        for (const QTableWidget* table : window.findChildren<QTableWidget*>()) {
            for (int row = 0; row < table->rowCount(); ++row) {
                for (int column = 0; column < table->columnCount(); ++column) {
                    const QTableWidgetItem* item = table->item(row, column);
                    QVERIFY2(table->fontMetrics().horizontalAdvance(item->text()) <= table->columnWidth(column),
                             qPrintable(item->text()));
                }
            }
        }
        for (const DetailsLineLabel* line : window.findChildren<DetailsLineLabel*>()) {
            if (line->text().size() > 200) {
                QCOMPARE(line->toolTip(), line->text());
            }
        }
        QCOMPARE(messageTexts(), QStringList{});
    }

    void everyTextIsInTheDialogFont()
    {
        CDetailsWindow& window = openDetails();
        for (const int type : {1, 3}) {
            enter(type, "100", "100", "0.2", "0.3"); // a finding with its mark
            click("IDC_CALCULATE");
            QStringList texts = linesOf(window, "line") + labelsOf(window, "heading");
            for (const DetailsSectionView* view : window.sectionViews()) {
                texts << rowsOf(*view->table()) << headingsOf(*view->table()) << view->title();
            }
            enter(type, "100", "10000", "0.2", "0.3");
            typeInto(field("IDC_PULSE_COUNT"), QStringLiteral("10000"));
            click("IDC_CALCULATE");
            texts << linesOf(window, "line");
            for (const DetailsSectionView* view : window.sectionViews()) {
                texts << rowsOf(*view->table()) << headingsOf(*view->table());
            }
            const QFontMetrics metrics(window.font());
            QString missing;
            for (const QString& text : texts) {
                for (const char32_t c : text.toUcs4()) {
                    if (!metrics.inFontUcs4(c) && !missing.contains(QString::fromUcs4(&c, 1))) {
                        missing += QString::fromUcs4(&c, 1);
                    }
                }
            }
            QCOMPARE(missing, QString());
        }
    }

private:
    CDetailsWindow& openDetails()
    {
        dialog_->detailsAction()->trigger();
        CDetailsWindow* window = dialog_->detailsWindow();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(window)); }();
        return *window;
    }

    // The view of the velocity profile's section.
    static const DetailsSectionView& plotView(const CDetailsWindow& window)
    {
        for (std::size_t i = 0; i < window.shownLayout().sections.size(); ++i) {
            if (window.shownLayout().sections[i].kind == report::SectionKind::Plot) {
                return *window.sectionViews()[i];
            }
        }
        return *window.sectionViews().back();
    }

    QWidget& field(const char* name) { return *dialog_->findChild<QWidget*>(QString::fromLatin1(name)); }

    static const DetailsSectionView* sectionTitled(const CDetailsWindow& window, const QString& title)
    {
        for (const DetailsSectionView* view : window.sectionViews()) {
            if (view->title() == title) {
                return view;
            }
        }
        return nullptr;
    }

    static const QAbstractButton* buttonLabelled(const QWidget& parent, const QString& label)
    {
        for (const QAbstractButton* button : parent.findChildren<QAbstractButton*>()) {
            if (button->text() == label) {
                return button;
            }
        }
        return nullptr;
    }

    static void clickLabelled(const CDetailsWindow& window, const QString& label)
    {
        for (QPushButton* button : window.findChildren<QPushButton*>()) {
            if (button->text() == label) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        }
        QFAIL(qPrintable(label));
    }

    // A cell of the layout's section (the real drive is the second) as the window shows it.
    static QString cellOf(const CDetailsWindow& window, int row, int column)
    {
        return QString::fromStdString(window.shownLayout().sections.at(1).table.rows.at(static_cast<std::size_t>(row))
                                          .cells.at(static_cast<std::size_t>(column)).text);
    }

    static QByteArray bytesOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    }

    void enter(int type, const QString& initial, const QString& drive, const QString& accel, const QString& decel)
    {
        QVERIFY(chooseItem(*control<QComboBox>(*dialog_, "IDC_DRIVE_TYPE"), type));
        typeInto(field("IDC_INITIAL_SPEED"), initial);
        typeInto(field("IDC_DRIVE_SPEED"), drive);
        typeInto(field("IDC_ACCEL_TIME"), accel);
        typeInto(field("IDC_DECEL_TIME"), decel);
    }

    void click(const char* button) { QTest::mouseClick(control<QPushButton>(*dialog_, button), Qt::LeftButton); }

    QStringList results() const
    {
        QStringList texts;
        for (const char* name : {"IDC_SUMMARY", "IDC_OUT_R", "IDC_OUT_A", "IDC_OUT_SV", "IDC_OUT_V", "IDC_OUT_K",
                                 "IDC_OUT_AO", "IDC_OUT_D", "IDC_OUT_L", "IDC_DECEL_POINT"}) {
            texts << control<QLabel>(*dialog_, name)->text();
        }
        return texts;
    }

    // The texts of the message boxes shown since the last look.
    QStringList messageTexts()
    {
        QStringList texts;
        for (const MessageBoxRecord& box : messages_->take()) {
            texts << box.text;
        }
        return texts;
    }

    std::optional<CCalcDialog> dialog_;
    std::optional<MessageCollector> messages_;
};

QTEST_MAIN(DetailsWindowTest)
#include "details_window_test.moc"
