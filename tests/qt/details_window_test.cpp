// The details window through the real widgets: opened from the dialog's context
// menu, following every command, copying the integers, saving the plot and
// closing, with the main dialog left as it was and no message box of its own.
#include "qt_test_support.h"
#include "report/details.h"
#include "ui/qt/calc_dialog.h"
#include "ui/qt/details_window.h"
#include "ui/qt/plot_painter.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QMenu>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>

#include <optional>

using namespace veldronix;
using namespace veldronix::qt;
using namespace veldronix::testing;

namespace {

const QString notCalculated = QStringLiteral("設定値が計算されていません。入力情報を入力し、決定ボタンを押してください。");
const QString noPulseCount =
    QStringLiteral("速度プロファイルを表示するには、出力パルス数に0より大きい数値を入力してください。");
const QString noSetting = QStringLiteral("パラメーターエラー。設定値を求めることができません。");
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
        // Within the screen, wide enough for its groups side by side without scrolling.
        QVERIFY(window->screen()->availableGeometry().contains(window->frameGeometry()));
        QCOMPARE(window->font().family(), dialog_->font().family());
        // Nothing calculated yet: one line says so, and nothing else is shown.
        QCOMPARE(labelsOf(*window, "heading"), QStringList{notCalculated});
        for (const QGroupBox* group : window->findChildren<QGroupBox*>()) {
            QVERIFY(!group->isVisibleTo(window));
        }
        QCOMPARE(messageTexts(), QStringList{});
    }

    void showsTheValuesOfEachDriveType_data()
    {
        QTest::addColumn<int>("driveType");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QStringList>("registers");
        QTest::addColumn<QStringList>("realDrive");
        QTest::addColumn<QString>("decelRow");
        QTest::addColumn<QString>("plotNote");
        const QString same = QStringLiteral("整数の設定値でも、減速点%1から減速すると出力パルス数の終わりにちょうど初速度に戻ります。");
        // The worked drive 100 -> 10000 PPS in 0.2 s (0.3 s back) over 10000 pulses at M = 2.
        QTest::newRow("symmetric trapezoid")
            << 0 << "ドライブ種類:対称台形加減速　倍率:2(4,000,000)"
            << QStringList{"R | 4000000 | 4000000", "A | 198 | 198.000", "SV | 50 | 50.000", "V | 5000 | 5000.000"}
            << QStringList{"初速度 | 100.000 PPS | 100.000 PPS | 0.0000 %",
                           "ドライブ速度 | 10000.000 PPS | 10000.000 PPS | 0.0000 %",
                           "加減速時間 | 0.200000秒 | 0.200000秒 | 0.0000 %"}
            << "減速 | 0.200000秒 | 1010パルス | 10000 → 100 PPS" << same.arg("8990.000");
        QTest::newRow("symmetric S-curve")
            << 1 << "ドライブ種類:対称S字加減速　倍率:2(4,000,000)"
            << QStringList{"R | 4000000 | 4000000", "A | 8000 | 8000.000", "SV | 50 | 50.000", "V | 5000 | 5000.000",
                           "K | 126 | 126.263",     "AO | 0 | 0.000"}
            << QStringList{"初速度 | 100.000 PPS | 100.000 PPS | 0.0000 %",
                           "ドライブ速度 | 10000.000 PPS | 10000.000 PPS | 0.0000 %",
                           "加減速時間 | 0.200000秒 | 0.199792秒 | -0.1041 %",
                           "加加速度 | 990000.000 PPS/秒² | 992063.492 PPS/秒² | +0.2084 %"}
            << "減速 | 0.200000秒 | 1010パルス | 10000 → 100 PPS、加加速度 990000 PPS/秒²"
            << "整数の設定値では、減速点8990.000から減速すると出力パルス数の1.051パルス前に初速度に戻り、残りを初速度で出力します。";
        QTest::newRow("asymmetric trapezoid")
            << 2 << "ドライブ種類:非対称台形加減速　倍率:2(4,000,000)"
            << QStringList{"R | 4000000 | 4000000", "A | 198 | 198.000", "SV | 50 | 50.000", "V | 5000 | 5000.000",
                           "D | 132 | 132.000"}
            << QStringList{"初速度 | 100.000 PPS | 100.000 PPS | 0.0000 %",
                           "ドライブ速度 | 10000.000 PPS | 10000.000 PPS | 0.0000 %",
                           "加速時間 | 0.200000秒 | 0.200000秒 | 0.0000 %", "減速時間 | 0.300000秒 | 0.300000秒 | 0.0000 %"}
            << "減速 | 0.300000秒 | 1515パルス | 10000 → 100 PPS" << same.arg("8485.000");
        QTest::newRow("asymmetric S-curve")
            << 3 << "ドライブ種類:非対称S字加減速　倍率:2(4,000,000)"
            << QStringList{"R | 4000000 | 4000000", "A | 8000 | 8000.000", "SV | 50 | 50.000", "V | 5000 | 5000.000",
                           "K | 126 | 126.263",     "AO | 0 | 0.000",     "D | 8000 | 8000.000", "L | 284 | 284.091"}
            << QStringList{"初速度 | 100.000 PPS | 100.000 PPS | 0.0000 %",
                           "ドライブ速度 | 10000.000 PPS | 10000.000 PPS | 0.0000 %",
                           "加速時間 | 0.200000秒 | 0.199792秒 | -0.1041 %",
                           "減速時間 | 0.300000秒 | 0.299952秒 | -0.0160 %",
                           "加速の加加速度 | 990000.000 PPS/秒² | 992063.492 PPS/秒² | +0.2084 %",
                           "減速の加加速度 | 440000.000 PPS/秒² | 440140.845 PPS/秒² | +0.0320 %"}
            << "減速 | 0.300000秒 | 1515パルス | 10000 → 100 PPS、加加速度 440000 PPS/秒²"
            << "整数の設定値では、減速点8485.000から減速すると出力パルス数の0.242パルス前に初速度に戻り、残りを初速度で出力します。";
    }

    void showsTheValuesOfEachDriveType()
    {
        QFETCH(int, driveType);
        QFETCH(QString, heading);
        QFETCH(QStringList, registers);
        QFETCH(QStringList, realDrive);
        QFETCH(QString, decelRow);
        QFETCH(QString, plotNote);
        CDetailsWindow& window = openDetails();
        enter(driveType, "100", "10000", "0.2", "0.3");
        typeInto(field("IDC_PULSE_COUNT"), QStringLiteral("10000"));
        click("IDC_CALCULATE");
        QCOMPARE(messageTexts(), QStringList{});
        QCOMPARE(labelsOf(window, "heading"), QStringList{heading});
        QCOMPARE(rowsOf(table(window, "registers")), registers);
        QCOMPARE(rowsOf(table(window, "realDrive")), realDrive);
        QCOMPARE(labelsOf(window, "findingsNote"), QStringList{"なし。整数の設定値はどれもそのまま設定できます。"});
        QCOMPARE(labelsOf(window, "finding"), QStringList{});
        QCOMPARE(rowsOf(table(window, "phases")).at(2), decelRow);
        QCOMPARE(labelsOf(window, "plotNote"), QStringList{plotNote});
        const auto* plot = window.findChild<PlotWidget*>(QStringLiteral("plot"));
        QVERIFY(plot->isVisibleTo(&window) && plot->plot().has_value());
        QVERIFY(plot->height() > 100);
        QVERIFY(window.findChild<QPushButton*>(QStringLiteral("saveButton"))->isEnabled());
    }

    void followsEveryCommand()
    {
        CDetailsWindow& window = openDetails();
        enter(3, "100", "10000", "0.2", "0.3");
        click("IDC_CALCULATE");
        QCOMPARE(labelsOf(window, "heading"), QStringList{"ドライブ種類:非対称S字加減速　倍率:2(4,000,000)"});
        QCOMPARE(labelsOf(window, "plotNote"), QStringList{noPulseCount});
        QVERIFY(!window.findChild<QPushButton*>(QStringLiteral("saveButton"))->isEnabled());

        // Recalculate with 10(800,000): the integers of the values shown now (K = 126.263 x 5 = 631.313).
        QVERIFY(chooseItem(*control<QComboBox>(*dialog_, "IDC_MULTIPLIER"), 3));
        click("IDC_RECALCULATE");
        QCOMPARE(messageTexts(), QStringList{});
        QCOMPARE(labelsOf(window, "heading"), QStringList{"ドライブ種類:非対称S字加減速　倍率:10(800,000)"});
        QCOMPARE(rowsOf(table(window, "registers")).at(0), QStringLiteral("R | 800000 | 800000"));
        QCOMPARE(rowsOf(table(window, "registers")).at(4), QStringLiteral("K | 631 | 631.313"));

        // 算出 with 10000 pulses: the plot of that count, its deceleration point the dialog's.
        typeInto(field("IDC_PULSE_COUNT"), QStringLiteral("10000"));
        click("IDC_COMPUTE_DECEL_POINT");
        QCOMPARE(messageTexts(), QStringList{});
        QCOMPARE(control<QLabel>(*dialog_, "IDC_DECEL_POINT")->text(), QStringLiteral("8485.000"));
        QCOMPARE(rowsOf(table(window, "phases")).at(3), QStringLiteral("合計 | 1.247500秒 | 10000パルス | 減速点:8485パルス"));

        // A failed Calculate leaves the fields but no calculation: the window says nothing is calculated.
        const QStringList resultsBefore = results();
        typeInto(field("IDC_DRIVE_SPEED"), QString());
        click("IDC_CALCULATE");
        QCOMPARE(messageTexts(), QStringList{driveSpeedZero});
        QCOMPARE(labelsOf(window, "heading"), QStringList{notCalculated});
        QVERIFY(!window.findChild<QGroupBox*>()->isVisibleTo(&window));
        QCOMPARE(results(), resultsBefore);
        QVERIFY(window.isVisible());
    }

    void marksEachFinding_data()
    {
        QTest::addColumn<int>("driveType");
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("drive");
        QTest::addColumn<QStringList>("markedRegisters");
        QTest::addColumn<QStringList>("findings");
        // Equal speeds: the S-curve's K is infinite, and no ramp follows from it.
        QTest::newRow("K not finite") << 1 << "100" << "100" << QStringList{"K | ▲ なし | inf"}
                                      << QStringList{"▲ K=なし(求めた値 inf):無限大または数値ではないため、レジスタに設定できません。"};
        // 0.1 -> 0.4 PPS at M = 1: SV, V and A = 0.3 / 0.2 x 0.008 = 0.012 all round to 0.
        QTest::newRow("speeds rounding to 0")
            << 0 << "0.1" << "0.4" << QStringList{"A | ▲ 0 | 0.012", "SV | ▲ 0 | 0.100", "V | ▲ 0 | 0.400"}
            << QStringList{"▲ A=0(求めた値 0.012):加速度が0ではドライブ速度に達しません。",
                           "▲ SV=0(求めた値 0.100):初速度が0ではパルスが出力されないため、ドライブを始められません。",
                           "▲ V=0(求めた値 0.400):ドライブ速度が0ではパルスが出力されないため、ドライブしません。"};
    }

    void marksEachFinding()
    {
        QFETCH(int, driveType);
        QFETCH(QString, initial);
        QFETCH(QString, drive);
        QFETCH(QStringList, markedRegisters);
        QFETCH(QStringList, findings);
        CDetailsWindow& window = openDetails();
        enter(driveType, initial, drive, "0.2", "");
        click("IDC_CALCULATE");
        QCOMPARE(messageTexts(), QStringList{});
        // Marked rows: the mark, in red on red, bold.
        const QTableWidget& registers = table(window, "registers");
        QStringList marked;
        for (int row = 0; row < registers.rowCount(); ++row) {
            const QTableWidgetItem* integer = registers.item(row, 1);
            if (integer->text().startsWith(QStringLiteral("▲"))) {
                marked << rowsOf(registers).at(row);
                QCOMPARE(integer->foreground().color(), QColor(0xb9, 0x1c, 0x1c));
                QCOMPARE(integer->background().color(), QColor(0xfe, 0xe2, 0xe2));
                QVERIFY(integer->font().bold());
            }
        }
        QCOMPARE(marked, markedRegisters);
        QCOMPARE(labelsOf(window, "finding"), findings);
        for (const QLabel* label : window.findChildren<QLabel*>(QStringLiteral("finding"))) {
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0xb9, 0x1c, 0x1c));
        }
        QCOMPARE(labelsOf(window, "findingsNote"), QStringList{});
        // Every real value that a finding leaves unknown is marked too.
        for (const QString& row : rowsOf(table(window, "realDrive"))) {
            QCOMPARE(row.startsWith(QStringLiteral("▲")), row.contains(QStringLiteral("なし(確認事項を参照)")));
        }
    }

    void saysAMoveIsTooShort()
    {
        CDetailsWindow& window = openDetails();
        enter(3, "100", "10000", "0.2", "0.3");
        typeInto(field("IDC_PULSE_COUNT"), QStringLiteral("1000"));
        click("IDC_CALCULATE");
        click("IDC_COMPUTE_DECEL_POINT"); // 1000 - 1515 < 0: the dialog's own message, as ever
        QCOMPARE(messageTexts(), QStringList{noSetting});
        QCOMPARE(labelsOf(window, "plotNote"),
                 QStringList{"移動量が短すぎます。出力パルス数1000では、初速度100 PPSからドライブ速度10000 PPSに達して"
                             "初速度に戻れません(加速と減速に2525パルス必要です)。"});
        QVERIFY(!window.findChild<PlotWidget*>(QStringLiteral("plot"))->isVisibleTo(&window));
        QVERIFY(!table(window, "phases").isVisibleTo(&window));
        QVERIFY(!window.findChild<QPushButton*>(QStringLiteral("saveButton"))->isEnabled());
    }

    void copiesTheIntegersAsPlainLines()
    {
        CDetailsWindow& window = openDetails();
        QVERIFY(!window.findChild<QPushButton*>(QStringLiteral("copyButton"))->isVisibleTo(&window));
        enter(3, "100", "10000", "0.2", "0.3");
        click("IDC_CALCULATE");
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("copyButton")), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), type3Clipboard);
        QCOMPARE(labelsOf(window, "note"), QStringList{"整数の設定値をクリップボードにコピーしました。"});
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
            QCOMPARE(image.size(), QSize(1920, 1280)); // the 960 x 640 canvas at twice its size
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
        QTest::newRow("infinite") << "1e400" << "速度プロファイルの数値が無限大または数値ではありません。";
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
        click("IDC_CALCULATE");
        typeInto(field("IDC_PULSE_COUNT"), pulses);
        if (plotNote.isEmpty()) {
            QVERIFY(window.findChild<PlotWidget*>(QStringLiteral("plot"))->plot().has_value());
        } else {
            QCOMPARE(labelsOf(window, "plotNote"), QStringList{plotNote});
        }
        QVERIFY(!window.grab().isNull()); // painted whole, whatever the figures
        if (window.details().plot) {
            QVERIFY(!plotImage(*window.details().plot, window.font()).isNull()); // the PNG's picture as well
        }
        QCOMPARE(messageTexts(), QStringList{});
    }

    void everyTextIsInTheDialogFont()
    {
        CDetailsWindow& window = openDetails();
        for (const int type : {1, 3}) {
            enter(type, "100", "100", "0.2", "0.3"); // a finding with its mark
            click("IDC_CALCULATE");
            QStringList texts = labelsOf(window, "finding") + labelsOf(window, "heading");
            texts << rowsOf(table(window, "realDrive")) << rowsOf(table(window, "registers"));
            enter(type, "100", "10000", "0.2", "0.3");
            typeInto(field("IDC_PULSE_COUNT"), QStringLiteral("10000"));
            click("IDC_CALCULATE");
            texts << rowsOf(table(window, "phases")) << rowsOf(table(window, "realDrive")) << labelsOf(window, "plotNote");
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

    static QTableWidget& table(const QWidget& window, const char* name)
    {
        return *window.findChild<QTableWidget*>(QString::fromLatin1(name));
    }

    QWidget& field(const char* name) { return *dialog_->findChild<QWidget*>(QString::fromLatin1(name)); }

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
