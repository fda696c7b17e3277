// The main dialog through its real widgets: typing, picking items and clicking
// buttons as a user does, with every result text and message checked exactly.
#include "qt_test_support.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/calc_dialog.h"
#include "ui/qt/qt_translations.h"
#include "ui/qt/result_field.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QMenu>
#include <QSignalSpy>

#include <clocale>
#include <optional>
#include <variant>

using namespace veldronix;
using namespace veldronix::qt;
using namespace veldronix::testing;

namespace {

const QString noSetting = QStringLiteral("パラメーターエラー。設定値を求めることができません。");
const QString driveSpeedZero = QStringLiteral("パラメーターエラー。ドライブ速度が0です。");
const QString accelTimeZero = QStringLiteral("パラメーターエラー。ドライブ速度に達する時間が0です。");

const QString summary0 = QStringLiteral("初速度:100で、ドライブ速度:10000までを0.200秒で直線加速/減速する場合の設定値は\n以下のようになります。");
const QString summary1 = QStringLiteral("初速度:100で、ドライブ速度:10000までを0.200秒でS字加速する場合の設定値は\n以下のようになります。");
const QString summary2 = QStringLiteral("初速度:100で、ドライブ速度:10000までを0.200秒で直線加速し、\n初速度まで0.300秒で直線減速する場合の設定値は以下のようになります。");
const QString summary3 = QStringLiteral("初速度:100で、ドライブ速度:10000までを0.200秒でS字加速し、\n初速度まで0.300秒でS字減速する場合の設定値は以下のようになります。");

// The nine result fields in the order the controller writes them.
const char* const resultFields[] = {"IDC_SUMMARY", "IDC_OUT_R", "IDC_OUT_A", "IDC_OUT_SV", "IDC_OUT_V",
                                    "IDC_OUT_K",   "IDC_OUT_AO", "IDC_OUT_D", "IDC_OUT_L"};

const QStringList noResults{"", "", "", "", "", "", "", "", ""};
const QStringList type0At2{summary0, "4000000 ", "198.000 ", "50.000 ", "5000.000 ", "", "", "", ""};
const QStringList type1At2{summary1, "4000000 ", "8000.000 ", "50.000 ", "5000.000 ", "126.263 ", "0.000", "", ""};
const QStringList type2At2{summary2, "4000000 ", "198.000 ", "50.000 ", "5000.000 ", "", "", "132.000", ""};
const QStringList type3At2{summary3,   "4000000 ", "8000.000 ", "50.000 ", "5000.000 ",
                           "126.263 ", "0.000",    "8000.000",  "284.091"};

const QStringList driveTypeItems{"対称台形加減速", "対称S字加減速", "非対称台形加減速", "非対称S字加減速"};
const QStringList multiplierItems{"1(8,000,000)", "2(4,000,000)", "5(1,600,000)", "10(800,000)", "20(400,000)",
                                  "50(160,000)",  "100(80,000)",  "200(40,000)",  "500(16,000)"};

// The caption of every message box: this test program's file name.
const QString messageCaption = QStringLiteral("veldronix_qt_dialog_tests");

// A drive as the user enters it: a drive type picked from the list (or typed
// over the selector when it is text) and the four numbers typed.
struct Drive {
    std::variant<int, QString> type;
    QString initial, drive, accel, decel;
};

} // namespace

Q_DECLARE_METATYPE(Drive)

class CalcDialogTest : public QObject {
    Q_OBJECT

private slots:
    // Qt's own texts in Japanese, as the program has them from its start.
    void initTestCase() { QVERIFY(installJapaneseQtTexts(*QCoreApplication::instance())); }

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
        // No message box, menu or About box outlives its test.
        QVERIFY(noVisibleWindowLeft());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    // Qt's own buttons, its file dialog and a field's context menu speak Japanese too.
    void qtsOwnTextsAreJapanese()
    {
        const QMessageBox box(QMessageBox::Critical, QString(), QString(), QMessageBox::Cancel | QMessageBox::Close);
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
        QCOMPARE(box.button(QMessageBox::Close)->text(), QStringLiteral("閉じる"));

        const std::unique_ptr<QMenu> menu(control<QLineEdit>(*dialog_, "IDC_INITIAL_SPEED")->createStandardContextMenu());
        QStringList items;
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                items << action->text().section(u'\t', 0, 0); // without the shortcut
            }
        }
        QCOMPARE(items, (QStringList{"元に戻す(&U)", "やり直す(&R)", "切り取り(&T)", "コピー(&C)", "貼り付け(&P)", "削除",
                                     "すべてを選択"}));

        // The file dialog as the details' save button opens it.
        QFileDialog chooser(&*dialog_);
        chooser.setOption(QFileDialog::DontUseNativeDialog);
        chooser.setAcceptMode(QFileDialog::AcceptSave);
        QCOMPARE(chooser.findChild<QLabel*>(QStringLiteral("lookInLabel"))->text(), QStringLiteral("アドレス:"));
        QCOMPARE(chooser.findChild<QLabel*>(QStringLiteral("fileNameLabel"))->text(), QStringLiteral("ファイル名(&N):"));
        const QDialogButtonBox& buttons = *chooser.findChild<QDialogButtonBox*>();
        QCOMPARE(buttons.button(QDialogButtonBox::Save)->text(), QStringLiteral("保存(&S)"));
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    }

    void processLocaleIsTheEnvironments()
    {
        // Under the German run the process locale really is German (Qt set it
        // from the environment), so the same texts below prove nothing depends on it.
        const QByteArray expected = qgetenv("VELDRONIX_EXPECT_LOCALE");
        if (expected.isEmpty()) {
            QSKIP("run without a locale to expect");
        }
        QCOMPARE(QByteArray(std::setlocale(LC_NUMERIC, nullptr)), expected);
        QCOMPARE(QByteArray(std::localeconv()->decimal_point), QByteArray(","));
    }

    void initialState()
    {
        QCOMPARE(dialog_->windowTitle(), QStringLiteral("パラメータ算出ツール"));
        QCOMPARE(dialog_->minimumSize(), dialog_->maximumSize()); // not resizable
        auto* driveType = control<QComboBox>(*dialog_, "IDC_DRIVE_TYPE");
        QCOMPARE(itemsOf(*driveType), driveTypeItems);
        QCOMPARE(driveType->currentIndex(), 0);
        QCOMPARE(driveType->currentText(), QStringLiteral("対称台形加減速"));
        auto* multiplier = control<QComboBox>(*dialog_, "IDC_MULTIPLIER");
        QCOMPARE(itemsOf(*multiplier), multiplierItems);
        QCOMPARE(multiplier->currentIndex(), -1);
        QCOMPARE(multiplier->currentText(), QString());
        QCOMPARE(results(), noResults);
        QCOMPARE(decelPointText(), QStringLiteral("0"));
        for (const char* name : {"IDC_INITIAL_SPEED", "IDC_DRIVE_SPEED", "IDC_ACCEL_TIME", "IDC_DECEL_TIME", "IDC_PULSE_COUNT"}) {
            const auto* edit = control<QLineEdit>(*dialog_, name);
            QVERIFY2(edit != nullptr, name);
            QCOMPARE(edit->text(), QString());
            QCOMPARE(edit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        }
        for (const char* name : {"IDC_OUT_R", "IDC_OUT_A", "IDC_OUT_SV", "IDC_OUT_V", "IDC_OUT_K", "IDC_OUT_AO",
                                 "IDC_OUT_D", "IDC_OUT_L", "IDC_DECEL_POINT"}) {
            const auto* result = control<QLabel>(*dialog_, name);
            QVERIFY2(result != nullptr, name);
            QCOMPARE(result->frameStyle(), QFrame::Panel | QFrame::Sunken);
            QCOMPARE(result->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        }
        QCOMPARE(QApplication::focusWidget(), driveType);
        QVERIFY(driveType->isEditable());
        QVERIFY(multiplier->isEditable());
        // The focused selector's text is selected: typing replaces it and names no item.
        QTest::keyClicks(driveType, QStringLiteral("x"));
        QCOMPARE(driveType->currentText(), QStringLiteral("x"));
        QCOMPARE(dialog_->selectedIndex(ControlId::IDC_DRIVE_TYPE), -1);
        QCOMPARE(itemsOf(*driveType), driveTypeItems);
    }

    void staticTextsAndGroups()
    {
        QStringList groups;
        for (const QGroupBox* group : dialog_->findChildren<QGroupBox*>()) {
            groups << group->title();
        }
        groups.sort();
        QCOMPARE(groups, (QStringList{"マニュアル減速点－－－出力パルス数を入力し、算出ボタンを押してください(非対称S字のみ)",
                                      "入力情報", "出力情報"}));
        QStringList labels;
        for (const QLabel* label : dialog_->findChildren<QLabel*>(QStringLiteral("IDC_STATIC"))) {
            labels << label->text();
        }
        QCOMPARE(labels.size(), 19);
        QVERIFY(labels.contains(QStringLiteral("【非対称時】\n初速度に達する時間(単位：秒)")));
        QVERIFY(labels.contains(QStringLiteral("【S字加減速の場合】\n加速度A、減速度Dについては、最大値8000に固定しています。")));
        QStringList buttons;
        for (const QPushButton* button : dialog_->findChildren<QPushButton*>()) {
            buttons << button->text();
        }
        buttons.sort();
        QCOMPARE(buttons, (QStringList{"再計算", "決定", "算出"}));
    }

    void calculate_data()
    {
        QTest::addColumn<Drive>("drive");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("multiplier");
        QTest::addColumn<QString>("message");
        QTest::newRow("symmetric trapezoid") << Drive{0, "100", "10000", "0.2", ""} << type0At2 << "2(4,000,000)" << "";
        QTest::newRow("symmetric S-curve") << Drive{1, "100", "10000", "0.2", ""} << type1At2 << "2(4,000,000)" << "";
        QTest::newRow("asymmetric trapezoid") << Drive{2, "100", "10000", "0.2", "0.3"} << type2At2 << "2(4,000,000)" << "";
        QTest::newRow("asymmetric S-curve") << Drive{3, "100", "10000", "0.2", "0.3"} << type3At2 << "2(4,000,000)" << "";
        QTest::newRow("typed item name") << Drive{QStringLiteral("非対称S字加減速"), "100", "10000", "0.2", "0.3"} << type3At2
                                         << "2(4,000,000)" << "";
        QTest::newRow("typed text naming no item")
            << Drive{QStringLiteral("台形"), "100", "10000", "0.2", ""}
            << QStringList{"", "4000000 ", "", "50.000 ", "5000.000 ", "", "", "", ""} << "2(4,000,000)" << "";
        // A field holds its first 78 bytes: 77 blanks and the "1" of "100".
        QTest::newRow("cut at 78 bytes")
            << Drive{0, QString(77, u' ') + "100", "10000", "0.2", ""}
            << QStringList{"初速度:1で、ドライブ速度:10000までを0.200秒で直線加速/減速する場合の設定値は\n以下のようになります。",
                           "4000000 ", "199.980 ", "0.500 ", "5000.000 ", "", "", "", ""}
            << "2(4,000,000)" << "";
        QTest::newRow("empty drive speed before the time") << Drive{0, "100", "", "", ""} << noResults << "" << driveSpeedZero;
        // Typed with an input method: full-width digits and stop are the number they show.
        QTest::newRow("full-width digits")
            << Drive{0, "１００", "10000", "０．２", ""}
            << QStringList{"初速度:100で、ドライブ速度:10000までを0.200秒で直線加速/減速する場合の設定値は\n以下のようになります。",
                           "4000000 ", "198.000 ", "50.000 ", "5000.000 ", "", "", "", ""}
            << "2(4,000,000)" << "";
        QTest::newRow("above the last multiplier") << Drive{3, "100", "4000001", "0.2", "0.3"} << noResults << "" << noSetting;
    }

    void calculate()
    {
        QFETCH(Drive, drive);
        QFETCH(QStringList, expected);
        QFETCH(QString, multiplier);
        QFETCH(QString, message);
        enter(drive);
        click("IDC_CALCULATE");
        QCOMPARE(results(), expected);
        QCOMPARE(control<QComboBox>(*dialog_, "IDC_MULTIPLIER")->currentText(), multiplier);
        QCOMPARE(messageTexts(), message.isEmpty() ? QStringList{} : QStringList{message});
    }

    void messageBoxIsAStopBoxCaptionedWithTheProgram()
    {
        click("IDC_CALCULATE");
        const QList<MessageBoxRecord> boxes = messages_->take();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].title, messageCaption);
        QCOMPARE(boxes[0].text, driveSpeedZero);
        QCOMPARE(boxes[0].icon, QMessageBox::Critical);
        QCOMPARE(boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(dialog_->isVisible());
    }

    void failedCalculateKeepsTheResultsButForgetsTheState()
    {
        enter(Drive{3, "100", "10000", "0.2", "0.3"});
        click("IDC_CALCULATE");
        typeInto(field("IDC_DRIVE_SPEED"), QStringLiteral("5000000"));
        click("IDC_CALCULATE");
        QCOMPARE(messageTexts(), QStringList{noSetting});
        QCOMPARE(results(), type3At2);
        // The automatic multiplier is gone, and with it the deceleration jerk.
        click("IDC_RECALCULATE");
        typeInto(field("IDC_PULSE_COUNT"), QStringLiteral("10000"));
        click("IDC_COMPUTE_DECEL_POINT");
        QCOMPARE(messageTexts(), (QStringList{noSetting, noSetting}));
        QCOMPARE(decelPointText(), QString());
    }

    void recalculate()
    {
        click("IDC_RECALCULATE"); // before any Calculate
        QCOMPARE(messageTexts(), QStringList{noSetting});

        enter(Drive{0, "100", "10000", "0.2", ""});
        click("IDC_CALCULATE");
        click("IDC_RECALCULATE"); // the same multiplier: the same texts
        QCOMPARE(results(), type0At2);
        auto* multiplier = control<QComboBox>(*dialog_, "IDC_MULTIPLIER");

        QVERIFY(chooseItem(*multiplier, 0)); // smaller than the automatic one
        click("IDC_RECALCULATE");
        QCOMPARE(messageTexts(), (QStringList{noSetting}));
        QCOMPARE(results(), type0At2);

        QVERIFY(chooseItem(*multiplier, 3));
        click("IDC_RECALCULATE");
        QCOMPARE(results(), (QStringList{summary0, "800000 ", "39.600 ", "10.000 ", "1000.000 ", "", "", "", ""}));
        QCOMPARE(multiplier->currentText(), QStringLiteral("10(800,000)"));

        typeInto(*multiplier, QStringLiteral("10(800,000)x")); // names no item
        click("IDC_RECALCULATE");
        QCOMPARE(messageTexts(), QStringList{noSetting});

        QVERIFY(chooseItem(*multiplier, 8));
        typeInto(field("IDC_ACCEL_TIME"), QStringLiteral("0"));
        click("IDC_RECALCULATE");
        QCOMPARE(messageTexts(), QStringList{accelTimeZero});
        QCOMPARE(results().at(1), QStringLiteral("800000 "));
    }

    void decelPoint_data()
    {
        QTest::addColumn<Drive>("drive");
        QTest::addColumn<QString>("pulses");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("refused");
        QTest::newRow("pulses 10000") << Drive{3, "100", "10000", "0.2", "0.3"} << "10000" << "8485.000" << false;
        QTest::newRow("too few pulses") << Drive{3, "100", "10000", "0.2", "0.3"} << "1000" << "" << true;
        QTest::newRow("pulses 0") << Drive{3, "100", "10000", "0.2", "0.3"} << "0" << "" << true;
        QTest::newRow("pulses not a number") << Drive{3, "100", "10000", "0.2", "0.3"} << "abc" << "" << true;
        QTest::newRow("another drive type") << Drive{2, "100", "10000", "0.2", "0.3"} << "10000" << "" << true;
    }

    void decelPoint()
    {
        QFETCH(Drive, drive);
        QFETCH(QString, pulses);
        QFETCH(QString, expected);
        QFETCH(bool, refused);
        enter(drive);
        click("IDC_CALCULATE");
        QCOMPARE(messageTexts(), QStringList{});
        typeInto(field("IDC_PULSE_COUNT"), pulses);
        click("IDC_COMPUTE_DECEL_POINT");
        QCOMPARE(decelPointText(), expected);
        const QList<MessageBoxRecord> boxes = messages_->take();
        QCOMPARE(boxes.size(), refused ? 1 : 0);
        if (refused) {
            // The message comes first; the field is cleared after it is closed.
            QCOMPARE(boxes[0].text, noSetting);
            QCOMPARE(boxes[0].decelPointMeanwhile, QStringLiteral("0"));
        }
    }

    void aboutBox_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("OK") << false;
        QTest::newRow("Esc") << true;
    }

    void aboutBox()
    {
        QFETCH(bool, byEscape);
        enter(Drive{3, "100", "10000", "0.2", "0.3"});
        click("IDC_CALCULATE");
        QAction* about = dialog_->aboutAction();
        QVERIFY(about != nullptr);
        QCOMPARE(about->text(), QStringLiteral("Veldronix のﾊﾞｰｼﾞｮﾝ情報(&A)..."));

        struct AboutBoxContents {
            QString title;
            QStringList texts;
            bool hasIcon = false;
            QString defaultButton;
        };
        auto contents = std::make_shared<AboutBoxContents>();
        const auto menuShown = whenShown<QMenu>([about](QMenu& menu) {
            QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(about).center());
        });
        const auto boxShown = whenShown<CAboutDialog>([contents, byEscape](CAboutDialog& box) {
            contents->title = box.windowTitle();
            for (const QLabel* label : box.findChildren<QLabel*>()) {
                if (!label->pixmap().isNull()) {
                    contents->hasIcon = true;
                } else {
                    contents->texts << label->text();
                }
            }
            for (const QPushButton* button : box.findChildren<QPushButton*>()) {
                if (button->isDefault()) {
                    contents->defaultButton = button->text();
                }
            }
            if (byEscape) {
                QTest::keyClick(&box, Qt::Key_Escape);
            } else {
                QTest::mouseClick(box.findChild<QPushButton*>(QStringLiteral("IDOK")), Qt::LeftButton);
            }
        });
        // A right click on the dialog's background, below the last note.
        const QPoint background(dialog_->width() / 2, dialog_->height() - 3);
        QCOMPARE(dialog_->childAt(background), nullptr);
        QTest::mouseClick(dialog_->windowHandle(), Qt::RightButton, {}, background);
        QTRY_VERIFY(*menuShown);
        QTRY_VERIFY(*boxShown);
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(contents->title, QStringLiteral("Veldronixのﾊﾞｰｼﾞｮﾝ情報"));
        contents->texts.sort();
        QCOMPARE(contents->texts, (QStringList{"Copyright (C) 2026 Veldronix", "Veldronix Version 1.0"}));
        QVERIFY(contents->hasIcon);
        QCOMPARE(contents->defaultButton, QStringLiteral("OK"));
        QVERIFY(dialog_->isVisible());
        QCOMPARE(results(), type3At2); // the main dialog is as it was
        QCOMPARE(field("IDC_DECEL_TIME").property("text").toString(), QStringLiteral("0.3"));
    }

    void tabOrderIsTemplateOrder()
    {
        const QStringList expected{"IDC_INITIAL_SPEED", "IDC_DRIVE_SPEED", "IDC_ACCEL_TIME", "IDC_CALCULATE",
                                   "IDC_DECEL_TIME",    "IDC_RECALCULATE", "IDC_MULTIPLIER", "IDC_PULSE_COUNT",
                                   "IDC_COMPUTE_DECEL_POINT", "IDC_DRIVE_TYPE"};
        QStringList visited;
        for (int i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }

    void enterPressesTheFieldsButton_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<QString>("decelPoint");
        // A type-3 drive entered and calculated at 2(4,000,000), then 10(800,000)
        // chosen and 10000 pulses typed: each button leaves its own trace.
        // 決定: the automatic multiplier again, the point of no 算出 yet.
        for (const char* name : {"IDC_DRIVE_TYPE", "IDC_INITIAL_SPEED", "IDC_DRIVE_SPEED", "IDC_ACCEL_TIME",
                                 "IDC_DECEL_TIME"}) {
            QTest::addRow("Return in %s", name) << name << int(Qt::Key_Return) << int(Qt::NoModifier) << type3At2
                                                << "0";
            QTest::addRow("keypad Enter in %s", name) << name << int(Qt::Key_Enter) << int(Qt::KeypadModifier)
                                                      << type3At2 << "0";
        }
        // 再計算 with 10: R = 16000000 / 20 = 800000, K = 126.263 x 5 = 631.313, L = 284.091 x 5 = 1420.455.
        const QStringList type3At10{summary3,   "800000 ",   "8000.000 ", "10.000 ", "1000.000 ",
                                    "631.313 ", "0.000",     "8000.000",  "1420.455"};
        QTest::newRow("Return in IDC_MULTIPLIER") << "IDC_MULTIPLIER" << int(Qt::Key_Return) << int(Qt::NoModifier)
                                                  << type3At10 << "0";
        // 算出 at 2(4,000,000): the worked point 10000 - 1515 = 8485.
        QTest::newRow("Return in IDC_PULSE_COUNT") << "IDC_PULSE_COUNT" << int(Qt::Key_Return) << int(Qt::NoModifier)
                                                   << type3At2 << "8485.000";
        QTest::newRow("keypad Enter in IDC_PULSE_COUNT") << "IDC_PULSE_COUNT" << int(Qt::Key_Enter)
                                                         << int(Qt::KeypadModifier) << type3At2 << "8485.000";
    }

    void enterPressesTheFieldsButton()
    {
        QFETCH(QString, field);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QStringList, results);
        QFETCH(QString, decelPoint);
        enter(Drive{3, "100", "10000", "0.2", "0.3"});
        click("IDC_CALCULATE");
        QVERIFY(chooseItem(*control<QComboBox>(*dialog_, "IDC_MULTIPLIER"), 3));
        typeInto(this->field("IDC_PULSE_COUNT"), QStringLiteral("10000"));
        QWidget* target = dialog_->findChild<QWidget*>(field);
        QVERIFY(target != nullptr);
        target->setFocus();
        QSignalSpy finished(&*dialog_, &QDialog::finished);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(finished.size(), 0); // the program stays, with every input
        QVERIFY(dialog_->isVisible());
        QCOMPARE(this->results(), results);
        QCOMPARE(decelPointText(), decelPoint);
        QCOMPARE(this->field("IDC_PULSE_COUNT").property("text").toString(), QStringLiteral("10000"));
        QCOMPARE(messageTexts(), QStringList{});
    }

    void enterShowsTheCommandsMessage()
    {
        // Enter in an empty form presses 決定, whose message says what is missing.
        field("IDC_DRIVE_SPEED").setFocus();
        QTest::keyClick(&field("IDC_DRIVE_SPEED"), Qt::Key_Return);
        QCOMPARE(messageTexts(), QStringList{driveSpeedZero});
        QVERIFY(dialog_->isVisible());
    }

    void escEndsTheDialog_data()
    {
        QTest::addColumn<QString>("field");
        for (const char* name : {"IDC_DRIVE_TYPE", "IDC_INITIAL_SPEED", "IDC_MULTIPLIER", "IDC_PULSE_COUNT",
                                 "IDC_CALCULATE"}) {
            QTest::newRow(name) << name;
        }
    }

    void escEndsTheDialog()
    {
        QFETCH(QString, field);
        QWidget* target = dialog_->findChild<QWidget*>(field);
        QVERIFY(target != nullptr);
        target->setFocus();
        QSignalSpy finished(&*dialog_, &QDialog::finished);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Rejected));
        QVERIFY(!dialog_->isVisible());
        QCOMPARE(messageTexts(), QStringList{});
    }

    void enterOnAButtonClicksIt()
    {
        field("IDC_CALCULATE").setFocus();
        QTest::keyClick(&field("IDC_CALCULATE"), Qt::Key_Return);
        QCOMPARE(messageTexts(), QStringList{driveSpeedZero});
        QVERIFY(dialog_->isVisible());
    }

    void closeBoxEndsTheDialog()
    {
        QSignalSpy finished(&*dialog_, &QDialog::finished);
        QVERIFY(dialog_->close());
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Rejected));
    }

    void staleResultsAreGreyed_data()
    {
        QTest::addColumn<QStringList>("steps"); // buttons pressed, "type:FIELD=TEXT" typed
        QTest::addColumn<bool>("valuesStale");
        QTest::addColumn<bool>("decelPointStale");
        // The 0 マニュアル減速点 opens with is no point: nothing to grey until 算出 wrote one.
        QTest::newRow("nothing calculated") << QStringList{} << false << false;
        QTest::newRow("after 決定") << QStringList{"IDC_CALCULATE"} << false << false;
        QTest::newRow("after 算出") << QStringList{"IDC_CALCULATE", "IDC_COMPUTE_DECEL_POINT"} << false << false;
        // 0.3 s -> 0.5 s and 決定 again: 8485.000 belongs to the old values.
        QTest::newRow("決定 after 算出") << QStringList{"IDC_CALCULATE", "IDC_COMPUTE_DECEL_POINT",
                                                      "type:IDC_DECEL_TIME=0.5", "IDC_CALCULATE"}
                                       << false << true;
        QTest::newRow("再計算 after 算出") << QStringList{"IDC_CALCULATE", "IDC_COMPUTE_DECEL_POINT", "IDC_RECALCULATE"}
                                          << false << true;
        // A failed 決定 leaves every result of the calculation before.
        QTest::newRow("failed 決定") << QStringList{"IDC_CALCULATE", "IDC_COMPUTE_DECEL_POINT",
                                                  "type:IDC_DRIVE_SPEED=4000001", "IDC_CALCULATE"}
                                    << true << true;
        QTest::newRow("success after a failure") << QStringList{"IDC_CALCULATE", "type:IDC_DRIVE_SPEED=4000001",
                                                                "IDC_CALCULATE", "type:IDC_DRIVE_SPEED=10000",
                                                                "IDC_CALCULATE", "IDC_COMPUTE_DECEL_POINT"}
                                                << false << false;
    }

    void staleResultsAreGreyed()
    {
        QFETCH(QStringList, steps);
        QFETCH(bool, valuesStale);
        QFETCH(bool, decelPointStale);
        enter(Drive{3, "100", "10000", "0.2", "0.3"});
        typeInto(field("IDC_PULSE_COUNT"), QStringLiteral("10000"));
        for (const QString& step : steps) {
            if (step.startsWith(QStringLiteral("type:"))) {
                const QStringList parts = step.mid(5).split(u'=');
                typeInto(field(parts[0].toLatin1().constData()), parts[1]);
            } else {
                click(step.toLatin1().constData());
            }
        }
        messageTexts();
        const QColor grey(0x6b, 0x72, 0x80);
        const QString valuesNote =
            QStringLiteral("決定が失敗したため、表示中の設定値は前回の計算のもので、現在の入力には対応していません。");
        const QString decelNote = QStringLiteral("マニュアル減速点の表示は、表示中の設定値から算出したものではありません。");
        const QStringList textsBefore = results();
        for (const char* name : resultFields) {
            const auto* result = control<QLabel>(*dialog_, name);
            QCOMPARE(result->palette().color(QPalette::WindowText) == grey, valuesStale);
            QVERIFY(!valuesStale || result->toolTip().startsWith(valuesNote));
        }
        const auto* decelPoint = control<QLabel>(*dialog_, "IDC_DECEL_POINT");
        QCOMPARE(decelPoint->palette().color(QPalette::WindowText) == grey, decelPointStale);
        QCOMPARE(decelPoint->toolTip(), decelPointStale ? decelNote : QString());
        QCOMPARE(results(), textsBefore); // greyed, never changed
    }

    void cutResultsAreWholeInTheirTooltips()
    {
        // The type-0 summary wraps past its field's two lines.
        enter(Drive{0, "100", "10000", "0.2", ""});
        click("IDC_CALCULATE");
        const auto* summary = control<QLabel>(*dialog_, "IDC_SUMMARY");
        QCOMPARE(summary->text(), summary0);
        QCOMPARE(summary->toolTip(), summary0);
        QCOMPARE(control<QLabel>(*dialog_, "IDC_OUT_R")->toolTip(), QString()); // 4000000 fits
        // 123456789 - 1515 = 123455274 pulses: more digits than the field shows.
        enter(Drive{3, "100", "10000", "0.2", "0.3"});
        typeInto(field("IDC_PULSE_COUNT"), QStringLiteral("123456789"));
        click("IDC_CALCULATE");
        click("IDC_COMPUTE_DECEL_POINT");
        QCOMPARE(decelPointText(), QStringLiteral("123455274.000"));
        QCOMPARE(control<QLabel>(*dialog_, "IDC_DECEL_POINT")->toolTip(), QStringLiteral("123455274.000"));
        // Drawn by the rule: its leading digits kept and the cut mark, never its end.
        const report::ResultFieldText drawn = control<ResultLabel>(*dialog_, "IDC_DECEL_POINT")->fitted();
        QVERIFY(drawn.cut);
        QVERIFY2(drawn.shown.starts_with("1234") && drawn.shown.ends_with("\u2026"), drawn.shown.c_str());
        QCOMPARE(drawn.scale, report::smallestResultScale);
        QCOMPARE(messageTexts(), QStringList{});
    }

    void misreadFieldsAreMarkedAtTheFieldsThemselves()
    {
        // Full-width digits are digits: the drive of 100 PPS, no mark.
        enter(Drive{0, QStringLiteral("１００"), "10000", "0.2", ""});
        click("IDC_CALCULATE");
        QCOMPARE(control<QLabel>(*dialog_, "IDC_SUMMARY")->text(), summary0);
        const auto* initial = control<QLineEdit>(*dialog_, "IDC_INITIAL_SPEED");
        QCOMPARE(initial->toolTip(), QString());
        // 1,000 is read as 1: marked in the warning colour with its sentence, also while the message is open.
        typeInto(field("IDC_INITIAL_SPEED"), QStringLiteral("100"));
        typeInto(field("IDC_DRIVE_SPEED"), QStringLiteral("1,000"));
        click("IDC_CALCULATE");
        QCOMPARE(messageTexts(), QStringList{QStringLiteral("パラメーターエラー。初速度がドライブ速度より大きいです。")});
        const auto* drive = control<QLineEdit>(*dialog_, "IDC_DRIVE_SPEED");
        QCOMPARE(drive->toolTip(), QStringLiteral("ドライブ速度「1,000」は1と読まれました。数値の後の文字は無視されます。"));
        QCOMPARE(drive->palette().color(QPalette::Text), QColor(0xb9, 0x1c, 0x1c));
        QCOMPARE(drive->palette().color(QPalette::Base), QColor(0xfe, 0xe2, 0xe2));
        QCOMPARE(initial->toolTip(), QString());
        QVERIFY(initial->palette().color(QPalette::Text) != QColor(0xb9, 0x1c, 0x1c));
        // Put right, the mark goes with the next command.
        typeInto(field("IDC_DRIVE_SPEED"), QStringLiteral("10000"));
        click("IDC_CALCULATE");
        QCOMPARE(drive->toolTip(), QString());
        QVERIFY(drive->palette().color(QPalette::Text) != QColor(0xb9, 0x1c, 0x1c));
        QCOMPARE(messageTexts(), QStringList{});
    }

    void hostileInputNeverBreaksTheDialog()
    {
        // Long texts of multi-byte characters, markup and control characters
        // are read as the first 78 bytes, parsed leniently and shown as plain text.
        enter(Drive{QString(500, u'あ'), QString(300, u'字') + "1", "<b>1</b>", QString(1000, u'9'), "\t\x01"});
        click("IDC_CALCULATE");
        QCOMPARE(messageTexts(), QStringList{driveSpeedZero});
        typeInto(field("IDC_DRIVE_SPEED"), QStringLiteral("1e400"));
        typeInto(field("IDC_INITIAL_SPEED"), QStringLiteral("-1e400"));
        click("IDC_CALCULATE"); // infinite speed: no multiplier fits
        QCOMPARE(messageTexts(), QStringList{noSetting});
        typeInto(field("IDC_DRIVE_SPEED"), QStringLiteral("4000000"));
        click("IDC_CALCULATE");
        QCOMPARE(messageTexts(), QStringList{});
        QCOMPARE(results().at(0), QString()); // a drive type that names no item has no summary
        QCOMPARE(results().at(1), QStringLiteral("16000 "));
        QCOMPARE(control<QComboBox>(*dialog_, "IDC_MULTIPLIER")->currentText(), QStringLiteral("500(16,000)"));
    }

private:
    static QStringList itemsOf(const QComboBox& combo)
    {
        QStringList items;
        for (int i = 0; i < combo.count(); ++i) {
            items << combo.itemText(i);
        }
        return items;
    }

    static bool noVisibleWindowLeft()
    {
        for (const QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible()) {
                return false;
            }
        }
        return true;
    }

    QWidget& field(const char* name) { return *dialog_->findChild<QWidget*>(QString::fromLatin1(name)); }

    void enter(const Drive& drive)
    {
        auto* driveType = control<QComboBox>(*dialog_, "IDC_DRIVE_TYPE");
        if (const int* index = std::get_if<int>(&drive.type)) {
            QVERIFY(chooseItem(*driveType, *index));
        } else {
            typeInto(*driveType, std::get<QString>(drive.type));
        }
        typeInto(field("IDC_INITIAL_SPEED"), drive.initial);
        typeInto(field("IDC_DRIVE_SPEED"), drive.drive);
        typeInto(field("IDC_ACCEL_TIME"), drive.accel);
        typeInto(field("IDC_DECEL_TIME"), drive.decel);
    }

    void click(const char* button) { QTest::mouseClick(control<QPushButton>(*dialog_, button), Qt::LeftButton); }

    QStringList results() const
    {
        QStringList texts;
        for (const char* name : resultFields) {
            texts << control<QLabel>(*dialog_, name)->text();
        }
        return texts;
    }

    QString decelPointText() const { return control<QLabel>(*dialog_, "IDC_DECEL_POINT")->text(); }

    // The texts of the message boxes shown since the last look, each checked
    // for its caption, icon and button on the way.
    QStringList messageTexts()
    {
        QStringList texts;
        for (const MessageBoxRecord& box : messages_->take()) {
            if (box.title != messageCaption || box.icon != QMessageBox::Critical ||
                box.buttons != QMessageBox::StandardButtons(QMessageBox::Ok)) {
                texts << QStringLiteral("(not a stop box with OK captioned %1)").arg(messageCaption);
            }
            texts << box.text;
        }
        return texts;
    }

    std::optional<CCalcDialog> dialog_;
    std::optional<MessageCollector> messages_;
};

QTEST_MAIN(CalcDialogTest)
#include "calc_dialog_test.moc"
