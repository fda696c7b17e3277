// Pictures of the dialogs as a user sees them, for a person to look at: the
// main dialog after an asymmetric S-curve calculation, with stale results
// greyed, an error message, the context menu, the About box, the details window
// of each drive type, of a move too short, of a huge pulse count and of odd
// inputs, the multiplier comparison, the section 移動の設計 of each question, a finding marked at its
// field beside figures too wide for theirs, and the details beside the dialog, written as PNG files to
// VELDRONIX_SCREENSHOT_DIR. Each details window's place is printed beside the
// screen's work area.
#include "qt_test_support.h"
#include "support/sample_form.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/calc_dialog.h"
#include "ui/qt/details_section.h"
#include "ui/qt/details_window.h"
#include "ui/qt/qt_translations.h"

#include <QDir>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>

using namespace veldronix;
using namespace veldronix::qt;
using namespace veldronix::testing;

namespace {

// The worked type-3 drive typed in, calculated and its deceleration point computed
// for 10000 pulses; false when its drive type could not be chosen.
bool workTheExample(CCalcDialog& dialog)
{
    if (!chooseItem(*control<QComboBox>(dialog, "IDC_DRIVE_TYPE"), 3)) {
        return false;
    }
    typeInto(*control<QLineEdit>(dialog, "IDC_INITIAL_SPEED"), QStringLiteral("100"));
    typeInto(*control<QLineEdit>(dialog, "IDC_DRIVE_SPEED"), QStringLiteral("10000"));
    typeInto(*control<QLineEdit>(dialog, "IDC_ACCEL_TIME"), QStringLiteral("0.2"));
    typeInto(*control<QLineEdit>(dialog, "IDC_DECEL_TIME"), QStringLiteral("0.3"));
    typeInto(*control<QLineEdit>(dialog, "IDC_PULSE_COUNT"), QStringLiteral("10000"));
    QTest::mouseClick(control<QPushButton>(dialog, "IDC_CALCULATE"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(dialog, "IDC_COMPUTE_DECEL_POINT"), Qt::LeftButton);
    return true;
}

// The section of that title, null where the window shows none.
DetailsSectionView* sectionTitled(const CDetailsWindow& window, const QString& title)
{
    for (DetailsSectionView* view : window.sectionViews()) {
        if (view->title() == title) {
            return view;
        }
    }
    return nullptr;
}

void clickLabelled(const CDetailsWindow& window, const QString& label)
{
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (button->text() == label) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
}

} // namespace

class Screenshots : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QByteArray dir = qgetenv("VELDRONIX_SCREENSHOT_DIR");
        folder_ = dir.isEmpty() ? QDir::current().filePath(QStringLiteral("screenshots")) : QString::fromLocal8Bit(dir);
        QVERIFY(QDir().mkpath(folder_));
        QVERIFY(installJapaneseQtTexts(*QCoreApplication::instance())); // as the program does
    }

    void mainDialogAfterCalculate()
    {
        CCalcDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(workTheExample(dialog));
        QCOMPARE(control<QLabel>(dialog, "IDC_DECEL_POINT")->text(), QStringLiteral("8485.000"));
        QVERIFY(dialog.grab().save(folder_ + QStringLiteral("/main_dialog.png")));

        // An error message, grabbed while it is open.
        typeInto(*control<QLineEdit>(dialog, "IDC_DRIVE_SPEED"), QString());
        const auto grabbed = whenShown<QMessageBox>([this](QMessageBox& box) {
            box.grab().save(folder_ + QStringLiteral("/error_message.png"));
            box.accept();
        });
        QTest::mouseClick(control<QPushButton>(dialog, "IDC_CALCULATE"), Qt::LeftButton);
        QVERIFY(*grabbed);

        // The context menu with the About item, closed again with Esc.
        const auto menuGrabbed = whenShown<QMenu>([this](QMenu& menu) {
            menu.grab().save(folder_ + QStringLiteral("/context_menu.png"));
            QTest::keyClick(&menu, Qt::Key_Escape);
        });
        QTest::mouseClick(dialog.windowHandle(), Qt::RightButton, {}, QPoint(dialog.width() / 2, dialog.height() - 3));
        QTRY_VERIFY(*menuGrabbed);
    }

    void detailsWindow_data()
    {
        QTest::addColumn<int>("driveType");
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("pulses");
        QTest::newRow("details_type0") << 0 << "100" << "10000";
        QTest::newRow("details_type1") << 1 << "100" << "10000";
        QTest::newRow("details_type2") << 2 << "100" << "10000";
        QTest::newRow("details_type3") << 3 << "100" << "10000";
        QTest::newRow("details_short_move") << 3 << "100" << "1000";
        // Speeds that round to 0: findings on every side.
        QTest::newRow("details_findings") << 1 << "0.1" << "10000";
        QTest::newRow("details_huge_pulses") << 3 << "100" << "1e300";
        // Odd inputs the details name under 確認事項: a comma, a negative time, a cut text.
        QTest::newRow("details_comma") << 3 << "1,000" << "10000";
        QTest::newRow("details_negative_time") << 3 << "-0.2" << "10000";
        QTest::newRow("details_cut_text") << 3 << "100" + QString(80, u' ') + "5" << "10000";
    }

    void detailsWindow()
    {
        QFETCH(int, driveType);
        QFETCH(QString, initial);
        QFETCH(QString, pulses);
        CCalcDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(chooseItem(*control<QComboBox>(dialog, "IDC_DRIVE_TYPE"), driveType));
        const bool negativeTime = initial == QStringLiteral("-0.2");
        const bool speedsRoundToZero = initial == QStringLiteral("0.1");
        typeInto(*control<QLineEdit>(dialog, "IDC_INITIAL_SPEED"), negativeTime ? QStringLiteral("100") : initial);
        typeInto(*control<QLineEdit>(dialog, "IDC_DRIVE_SPEED"),
                 speedsRoundToZero ? QStringLiteral("0.4") : QStringLiteral("10000"));
        typeInto(*control<QLineEdit>(dialog, "IDC_ACCEL_TIME"), negativeTime ? initial : QStringLiteral("0.2"));
        typeInto(*control<QLineEdit>(dialog, "IDC_DECEL_TIME"), QStringLiteral("0.3"));
        typeInto(*control<QLineEdit>(dialog, "IDC_PULSE_COUNT"), pulses);
        QTest::mouseClick(control<QPushButton>(dialog, "IDC_CALCULATE"), Qt::LeftButton);
        dialog.showDetailsWindow();
        CDetailsWindow* window = dialog.detailsWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QString name = folder_ + QStringLiteral("/") + QString::fromLatin1(QTest::currentDataTag());
        QVERIFY(window->grab().save(name + QStringLiteral(".png")));
        const QRect workArea = window->screen()->availableGeometry();
        qInfo("%s: window %d,%d %dx%d, dialog %d,%d %dx%d, work area %d,%d %dx%d, inside: %s", QTest::currentDataTag(),
              window->frameGeometry().x(), window->frameGeometry().y(), window->frameGeometry().width(),
              window->frameGeometry().height(), dialog.frameGeometry().x(), dialog.frameGeometry().y(),
              dialog.frameGeometry().width(), dialog.frameGeometry().height(), workArea.x(), workArea.y(),
              workArea.width(), workArea.height(), workArea.contains(window->frameGeometry()) ? "yes" : "no");
        // The multiplier comparison with its marked rows, as far as the window shows it.
        if (QTest::currentDataTag() == QByteArray("details_type0")) {
            // The section whose rows choose a multiplier.
            const std::vector<report::DetailsSection>& sections = window->shownLayout().sections;
            const auto found = std::find_if(sections.begin(), sections.end(),
                                            [](const report::DetailsSection& s) { return !s.rowIndices.empty(); });
            QVERIFY(found != sections.end());
            DetailsSectionView* comparison = window->sectionViews()[std::size_t(found - sections.begin())];
            window->findChild<QScrollArea*>()->ensureWidgetVisible(comparison);
            QVERIFY(comparison->grab().save(folder_ + QStringLiteral("/comparison.png")));
        }
        // The picture its save button writes as PNG.
        if (window->details().plot) {
            QVERIFY(window->saveTo(name + QStringLiteral("_plot.png")) == name + QStringLiteral("_plot.png"));
        }
    }

    void staleResults()
    {
        CCalcDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(workTheExample(dialog));
        // 決定 with another deceleration time: 8485.000 is greyed.
        typeInto(*control<QLineEdit>(dialog, "IDC_DECEL_TIME"), QStringLiteral("0.5"));
        QTest::mouseClick(control<QPushButton>(dialog, "IDC_CALCULATE"), Qt::LeftButton);
        QVERIFY(dialog.grab().save(folder_ + QStringLiteral("/stale_decel_point.png")));
        // A failed 決定: every result is greyed, the details say why.
        typeInto(*control<QLineEdit>(dialog, "IDC_DRIVE_SPEED"), QStringLiteral("4000001"));
        const auto closed = whenShown<QMessageBox>([](QMessageBox& box) { box.accept(); });
        QTest::mouseClick(control<QPushButton>(dialog, "IDC_CALCULATE"), Qt::LeftButton);
        QVERIFY(*closed);
        QVERIFY(dialog.grab().save(folder_ + QStringLiteral("/stale_values.png")));
        dialog.showDetailsWindow();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.detailsWindow()));
        QVERIFY(dialog.detailsWindow()->grab().save(folder_ + QStringLiteral("/stale_values_details.png")));
    }

    // A section's form, as the tests' sample form draws it (the product shows none yet).
    void detailsForm()
    {
        CCalcDialog dialog;
        dialog.detailsForms().add(std::make_unique<testing_support::SampleForm>());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.showDetailsWindow();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.detailsWindow()));
        QVERIFY(dialog.detailsWindow()->grab().save(folder_ + QStringLiteral("/details_form.png")));
    }

    // The section 移動の設計 of each question, from the worked type-3 drive: the
    // window scrolled to it, then after 設定に反映 the details and the dialog.
    void moveDesign_data()
    {
        QTest::addColumn<int>("question");
        QTest::newRow("design_fastest") << 0;
        QTest::newRow("design_on_time") << 1;
    }

    void moveDesign()
    {
        QFETCH(int, question);
        CCalcDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(workTheExample(dialog));
        dialog.showDetailsWindow();
        CDetailsWindow* window = dialog.detailsWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const auto designSection = [window] { return sectionTitled(*window, QStringLiteral("移動の設計")); };
        QVERIFY(designSection() != nullptr);
        auto* choice = designSection()->findChild<QComboBox*>(QStringLiteral("formChoice_question"));
        QVERIFY(choice != nullptr);
        choice->setCurrentIndex(question);
        emit choice->activated(question); // as a user's choice sends it
        const QString name = folder_ + QStringLiteral("/") + QString::fromLatin1(QTest::currentDataTag());
        window->findChild<QScrollArea*>()->ensureWidgetVisible(designSection());
        QVERIFY(window->grab().save(name + QStringLiteral(".png")));
        QVERIFY(designSection()->grab().save(name + QStringLiteral("_section.png")));
        QTest::mouseClick(designSection()->button(report::SectionAction::Command), Qt::LeftButton);
        QVERIFY(window->grab().save(name + QStringLiteral("_applied.png")));
        window->findChild<QScrollArea*>()->ensureWidgetVisible(designSection());
        QVERIFY(designSection()->grab().save(name + QStringLiteral("_applied_section.png")));
        QVERIFY(dialog.grab().save(name + QStringLiteral("_applied_dialog.png")));
    }

    // The worked axis (3200 pulses per revolution, 5 mm per revolution): its
    // form with a second axis in the list, the form 単位で入力 and the real drive
    // in mm/s and rpm.
    void axisInUnits()
    {
        CCalcDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(chooseItem(*control<QComboBox>(dialog, "IDC_DRIVE_TYPE"), 0));
        typeInto(*control<QLineEdit>(dialog, "IDC_INITIAL_SPEED"), QStringLiteral("640"));
        typeInto(*control<QLineEdit>(dialog, "IDC_DRIVE_SPEED"), QStringLiteral("32000"));
        typeInto(*control<QLineEdit>(dialog, "IDC_ACCEL_TIME"), QStringLiteral("0.2"));
        typeInto(*control<QLineEdit>(dialog, "IDC_PULSE_COUNT"), QStringLiteral("64000"));
        QTest::mouseClick(control<QPushButton>(dialog, "IDC_CALCULATE"), Qt::LeftButton);
        dialog.showDetailsWindow();
        CDetailsWindow* window = dialog.detailsWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        DetailsSectionView* axis = sectionTitled(*window, QStringLiteral("軸"));
        QVERIFY(axis != nullptr);
        typeInto(*axis->findChild<QLineEdit*>(QStringLiteral("formField_name")), QStringLiteral("Y"));
        clickLabelled(*window, QStringLiteral("追加(&N)"));
        axis = sectionTitled(*window, QStringLiteral("軸"));
        typeInto(*axis->findChild<QLineEdit*>(QStringLiteral("formField_pulsesPerRev")), QStringLiteral("3200"));
        typeInto(*axis->findChild<QLineEdit*>(QStringLiteral("formField_travelPerRev")), QStringLiteral("5"));
        clickLabelled(*window, QStringLiteral("機構を適用(&M)"));
        // The form's widgets made anew for the renamed list show from the event loop on.
        QTest::qWait(50);
        const QString name = folder_ + QStringLiteral("/axis");
        QVERIFY(window->grab().save(name + QStringLiteral("_real_drive.png")));
        QVERIFY(window->sectionViews().size() > 1);
        QVERIFY(window->sectionViews()[1]->grab().save(name + QStringLiteral("_real_drive_section.png")));
        axis = sectionTitled(*window, QStringLiteral("軸"));
        window->findChild<QScrollArea*>()->ensureWidgetVisible(axis);
        QVERIFY(window->grab().save(name + QStringLiteral("_list.png")));
        QVERIFY(axis->grab().save(name + QStringLiteral("_list_section.png")));
        DetailsSectionView* units = sectionTitled(*window, QStringLiteral("単位で入力"));
        QVERIFY(units != nullptr);
        window->findChild<QScrollArea*>()->ensureWidgetVisible(units);
        QVERIFY(window->grab().save(name + QStringLiteral("_units_form.png")));
        QVERIFY(units->grab().save(name + QStringLiteral("_units_form_section.png")));
        // 640 px wide: the forms' labels wrap, the tables scroll sideways, no figure cut.
        window->resize(640, window->height());
        QTest::qWait(50);
        QVERIFY(window->sectionViews()[1]->grab().save(name + QStringLiteral("_real_drive_section_640.png")));
        units = sectionTitled(*window, QStringLiteral("単位で入力"));
        window->findChild<QScrollArea*>()->ensureWidgetVisible(units);
        QVERIFY(window->grab().save(name + QStringLiteral("_units_form_640.png")));
        window->findChild<QScrollArea*>()->ensureWidgetVisible(sectionTitled(*window, QStringLiteral("移動の設計")));
        QVERIFY(window->grab().save(name + QStringLiteral("_design_640.png")));

        // The comparison and the move design in mm: its limits typed in mm/s and mm/s², its distance in mm.
        const auto design = [window] { return sectionTitled(*window, QStringLiteral("移動の設計")); };
        QVERIFY(design() != nullptr);
        auto* unit = design()->findChild<QComboBox*>(QStringLiteral("formChoice_unit"));
        QVERIFY(unit != nullptr);
        unit->setCurrentIndex(1);
        emit unit->activated(1); // as a user's choice sends it
        QTest::qWait(300);
        QCOMPARE(design()->findChild<QLineEdit*>(QStringLiteral("formField_maxSpeed"))->text(), QStringLiteral("50"));
        const auto shoot = [&](const QString& suffix) {
            DetailsSectionView* comparison = sectionTitled(*window, QStringLiteral("倍率の比較"));
            QVERIFY(comparison != nullptr);
            window->findChild<QScrollArea*>()->ensureWidgetVisible(comparison);
            QVERIFY(window->grab().save(name + QStringLiteral("_comparison") + suffix + QStringLiteral(".png")));
            window->findChild<QScrollArea*>()->ensureWidgetVisible(design());
            QVERIFY(window->grab().save(name + QStringLiteral("_design") + suffix + QStringLiteral(".png")));
            QVERIFY(design()->grab().save(name + QStringLiteral("_design_section") + suffix + QStringLiteral(".png")));
        };
        // As wide as the screen, so that the columns in mm show beside those in pulses, then 390 pixels.
        window->resize(window->screen()->availableGeometry().width(), window->height());
        QTest::qWait(300);
        shoot(QString());
        window->resize(390, window->height());
        QTest::qWait(300);
        shoot(QStringLiteral("_narrow"));
    }

    // An input field read otherwise than typed, marked at the field, beside figures
    // too wide for their fields (drawn smaller, or cut with the mark); then a
    // negative accel time confirmed with Enter, the details open beside the
    // dialog: both windows drawn where they stand on the screen.
    void findingsAtTheFields()
    {
        CCalcDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(chooseItem(*control<QComboBox>(dialog, "IDC_DRIVE_TYPE"), 3));
        typeInto(*control<QLineEdit>(dialog, "IDC_INITIAL_SPEED"), QStringLiteral("abc"));
        typeInto(*control<QLineEdit>(dialog, "IDC_DRIVE_SPEED"), QStringLiteral("10000"));
        typeInto(*control<QLineEdit>(dialog, "IDC_ACCEL_TIME"), QStringLiteral("100"));
        typeInto(*control<QLineEdit>(dialog, "IDC_DECEL_TIME"), QStringLiteral("100"));
        typeInto(*control<QLineEdit>(dialog, "IDC_PULSE_COUNT"), QStringLiteral("123456789"));
        QTest::mouseClick(control<QPushButton>(dialog, "IDC_CALCULATE"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(dialog, "IDC_COMPUTE_DECEL_POINT"), Qt::LeftButton);
        QCOMPARE(control<QLabel>(dialog, "IDC_DECEL_POINT")->text(), QStringLiteral("122956789.000"));
        QVERIFY(dialog.grab().save(folder_ + QStringLiteral("/findings_long_figures.png")));

        typeInto(*control<QLineEdit>(dialog, "IDC_INITIAL_SPEED"), QStringLiteral("100"));
        typeInto(*control<QLineEdit>(dialog, "IDC_ACCEL_TIME"), QStringLiteral("0.2"));
        typeInto(*control<QLineEdit>(dialog, "IDC_DECEL_TIME"), QStringLiteral("0.3"));
        typeInto(*control<QLineEdit>(dialog, "IDC_PULSE_COUNT"), QStringLiteral("10000"));
        QTest::mouseClick(control<QPushButton>(dialog, "IDC_CALCULATE"), Qt::LeftButton);
        dialog.showDetailsWindow();
        CDetailsWindow* window = dialog.detailsWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        typeInto(*control<QLineEdit>(dialog, "IDC_ACCEL_TIME"), QStringLiteral("-0.2"));
        QTest::keyClick(control<QLineEdit>(dialog, "IDC_ACCEL_TIME"), Qt::Key_Return);
        QCoreApplication::processEvents();
        const QRect screen = dialog.screen()->availableGeometry();
        QImage desk(screen.size(), QImage::Format_RGB32);
        desk.fill(QColor(0x40, 0x60, 0x80));
        QPainter painter(&desk);
        for (QWidget* shown : {static_cast<QWidget*>(&dialog), static_cast<QWidget*>(window)}) {
            painter.drawPixmap(shown->geometry().topLeft() - screen.topLeft(), shown->grab());
        }
        painter.end();
        QVERIFY(desk.save(folder_ + QStringLiteral("/findings_details_beside.png")));
        qInfo("findings_details_beside: dialog %d,%d %dx%d, details %d,%d %dx%d, overlap: %s", dialog.geometry().x(),
              dialog.geometry().y(), dialog.geometry().width(), dialog.geometry().height(), window->geometry().x(),
              window->geometry().y(), window->geometry().width(), window->geometry().height(),
              dialog.frameGeometry().intersects(window->frameGeometry()) ? "yes" : "no");
    }

    void aboutBox()
    {
        CAboutDialog about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QVERIFY(about.grab().save(folder_ + QStringLiteral("/about_box.png")));
    }

private:
    QString folder_;
};

QTEST_MAIN(Screenshots)
#include "screenshots.moc"
