#include "effects/fulleffectsettingswidget.h"
#include "effecttesthelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMetaMethod>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

using namespace EffectTest;

// The panel's controls as the main window and translators know them: names, texts,
// places in the grids, ranges, and the slots found by name.
class EffectPanelFormTest : public QObject
{
    Q_OBJECT

private:
    ScratchWorkingDirectory m_workingDirectory;

    static int gridRow(const QWidget *widget)
    {
        const auto *grid = qobject_cast<QGridLayout *>(widget->parentWidget()->layout());
        if (!grid)
            return -1;
        int row = -1, column, rowSpan, columnSpan;
        grid->getItemPosition(grid->indexOf(widget), &row, &column, &rowSpan, &columnSpan);
        return row;
    }

    static QStringList capturedWarnings;
    static void captureWarning(QtMsgType type, const QMessageLogContext &, const QString &text)
    {
        if (type == QtWarningMsg)
            capturedWarnings << text;
    }

private slots:
    void everySlotFindsItsControl()
    {
        capturedWarnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(captureWarning);
        {
            FullEffectSettingsWidget panel;
        }
        qInstallMessageHandler(previous);
        for (const QString &warning : std::as_const(capturedWarnings))
            QVERIFY2(!warning.contains("connectSlotsByName"), qPrintable(warning));
    }

    void metaObjectOrder()
    {
        const QMetaObject &meta = FullEffectSettingsWidget::staticMetaObject;
        QStringList signatures;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i)
            signatures << QString::fromLatin1(meta.method(i).methodSignature());
        const QStringList expected{
            "profileApplied()",
            "disableUnsupportedElements()",
            "on_profile_combo_box_activated(int)",
            "on_profile_save_button_clicked()",
            "on_profile_delete_button_clicked()",
            "applyProfile(QString)",
            "readProfiles()",
            "on_motion_range_axis0_valueChanged(int)",
            "on_motion_range_axis1_valueChanged(int)",
            "on_motion_range_slider_axis0_valueChanged(int)",
            "on_motion_range_slider_axis1_valueChanged(int)",
            "on_static_dampening_axis0_valueChanged(int)",
            "on_dynamic_dampening_axis0_valueChanged(int)",
            "on_soft_stop_dampening_axis0_valueChanged(int)",
            "on_static_dampening_slider_axis0_valueChanged(int)",
            "on_dynamic_dampening_slider_axis0_valueChanged(int)",
            "on_soft_stop_dampening_slider_axis0_valueChanged(int)",
            "on_static_dampening_axis1_valueChanged(int)",
            "on_dynamic_dampening_axis1_valueChanged(int)",
            "on_soft_stop_dampening_axis1_valueChanged(int)",
            "on_static_dampening_slider_axis1_valueChanged(int)",
            "on_dynamic_dampening_slider_axis1_valueChanged(int)",
            "on_soft_stop_dampening_slider_axis1_valueChanged(int)",
        };
        QCOMPARE(signatures, expected);
    }

    void axisRows_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("slider");
        QTest::addColumn<QString>("spinBox");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("sliderMaximum");
        QTest::addColumn<int>("spinMaximum");
        QTest::addColumn<bool>("wide");

        struct Row {
            const char *label, *slider, *spinBox, *text;
            int row0, row1, minimum, sliderMaximum, spinMaximum;
            bool wide;
        };
        const Row rows[] = {
            {"motion_range_label", "motion_range_slider", "motion_range", "Motion range (degrees)", 1, 0, 0, 1080, 9999, true},
            {"label_", "horizontalSlider_", "total_effect_scale", "Total effect strength (%)", 3, 1, 0, 100, 100, true},
            {"soft_stop_strength_label", "soft_stop_strength_slider", "soft_stop_strength", "Soft stop strength (%)", 5, 2, 0, 100, 100, true},
            {"soft_stop_range_label", "soft_stop_range_slider", "soft_stop_range", "Soft stop range (degrees)", 6, 3, 1, 45, 45, true},
            {"static_dampening_label", "static_dampening_slider", "static_dampening", "Static dampening (%)", 7, 4, 0, 100, 999, true},
            {"dynamic_dampening_label", "dynamic_dampening_slider", "dynamic_dampening", "Dynamic dampening (%)", 8, 5, 0, 100, 999, false},
            {"soft_stop_dampening_label", "soft_stop_dampening_slider", "soft_stop_dampening", "Soft stop dampening (%)", 9, 6, 0, 100, 999, false},
            {"max_force_label", "max_force_slider", "max_force", "Max force available (kg)", 10, 7, 0, 100, 100, false},
        };
        for (const Row &r : rows) {
            for (int axis = 0; axis < 2; ++axis) {
                const QString suffix = QStringLiteral("_axis%1").arg(axis);
                // The total effect row alone is numbered rather than named.
                const bool numbered = QByteArray(r.label) == "label_";
                const QString label = numbered ? r.label + QString::number(axis + 2) : r.label + suffix;
                const QString slider = numbered ? r.slider + QString::number(axis + 2) : r.slider + suffix;
                const QString spinBox = r.spinBox + suffix;
                QTest::newRow(qPrintable(spinBox))
                    << label << slider << spinBox << QString(r.text) << (axis == 0 ? r.row0 : r.row1)
                    << r.minimum << r.sliderMaximum << r.spinMaximum << r.wide;
            }
        }
    }

    void axisRows()
    {
        QFETCH(QString, label);
        QFETCH(QString, slider);
        QFETCH(QString, spinBox);
        QFETCH(QString, text);
        QFETCH(int, row);
        QFETCH(int, minimum);
        QFETCH(int, sliderMaximum);
        QFETCH(int, spinMaximum);
        QFETCH(bool, wide);
        FullEffectSettingsWidget panel;
        const QLabel *labelWidget = control<QLabel>(panel, label);
        const QSlider *sliderWidget = control<QSlider>(panel, slider);
        const QSpinBox *spinWidget = control<QSpinBox>(panel, spinBox);

        QCOMPARE(labelWidget->text(), text);
        QCOMPARE(gridRow(labelWidget), row);
        QCOMPARE(gridRow(sliderWidget), row);
        QCOMPARE(gridRow(spinWidget), row);
        QCOMPARE(sliderWidget->orientation(), Qt::Horizontal);
        QCOMPARE(sliderWidget->minimum(), minimum);
        QCOMPARE(sliderWidget->maximum(), sliderMaximum);
        QCOMPARE(spinWidget->minimum(), minimum);
        QCOMPARE(spinWidget->maximum(), spinMaximum);
        QCOMPARE(spinWidget->value(), minimum);
        QCOMPARE(spinWidget->minimumWidth() >= 80, wide);
        const QString page = spinBox.endsWith("axis0") ? "axis0Tab" : "axis1Tab";
        QCOMPARE(spinWidget->parentWidget(), control<QWidget>(panel, page));
    }

    void directXRows()
    {
        FullEffectSettingsWidget panel;
        const QGroupBox *group = control<QGroupBox>(panel, "direct_x_group_box");
        QCOMPARE(group->title(), QString("DirectX FFB"));
        const QCheckBox *invert = control<QCheckBox>(panel, "invert_constant_force");
        QCOMPARE(invert->text(), QString("Invert constant force"));
        QCOMPARE(gridRow(invert), 0);

        const struct {
            const char *label, *slider, *spinBox, *text;
            int row;
        } rows[] = {
            {"direct_x_spring_label", "direct_x_spring_slider", "direct_x_spring_strength", "Direct X spring forces strength (%)", 1},
            {"direct_x_constant_strength_label", "direct_x_constant_strength_slider", "direct_x_constant_strength", "Direct X constant forces strength (%)", 2},
            {"direct_x_periodic_strength_label", "direct_x_periodic_strength_slider", "direct_x_periodic_strength", "Direct X periodic forces strength (%)", 3},
        };
        for (const auto &r : rows) {
            QCOMPARE(control<QLabel>(panel, r.label)->text(), QString(r.text));
            QCOMPARE(gridRow(control<QLabel>(panel, r.label)), r.row);
            QCOMPARE(control<QSlider>(panel, r.slider)->maximum(), 100);
            QCOMPARE(gridRow(control<QSlider>(panel, r.slider)), r.row);
            const QSpinBox *spinBox = control<QSpinBox>(panel, r.spinBox);
            QCOMPARE(spinBox->maximum(), 100);
            QCOMPARE(gridRow(spinBox), r.row);
            QVERIFY(spinBox->minimumWidth() >= 80);
            QCOMPARE(spinBox->parentWidget(), group);
        }
    }

    void frame()
    {
        FullEffectSettingsWidget panel;
        QCOMPARE(panel.windowTitle(), QString("Form"));
        QCOMPARE(panel.size(), QSize(448, 684));
        QVERIFY(panel.minimumSizeHint().width() <= 448);

        const QTabWidget *tabs = control<QTabWidget>(panel, "axis_tab");
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), QString("Axis 0"));
        QCOMPARE(tabs->tabText(1), QString("Axis 1"));
        QCOMPARE(tabs->widget(0)->objectName(), QString("axis0Tab"));
        QVERIFY(tabs->toolTip().contains("Strength of all effects combined for corresponding axis."));

        const QGroupBox *profiles = control<QGroupBox>(panel, "profiles_group_box");
        QVERIFY(profiles->title().isEmpty());
        QVERIFY(profiles->isEnabled());
        QVERIFY(control<QComboBox>(panel, "profile_combo_box")->isEditable());
        for (const char *name : {"profile_save_button", "profile_delete_button"})
            QVERIFY(control<QPushButton>(panel, name)->maximumWidth() <= 100);
        QCOMPARE(control<QPushButton>(panel, "profile_save_button")->text(), QString("Save"));
        QCOMPARE(control<QPushButton>(panel, "profile_delete_button")->text(), QString("Delete"));

        // Top to bottom: profiles, axis pages, DirectX group.
        const QLayout *column = panel.layout();
        QCOMPARE(column->objectName(), QString("verticalLayout"));
        QCOMPARE(column->indexOf(profiles), 0);
        QCOMPARE(column->indexOf(tabs), 1);
        QCOMPARE(column->indexOf(control<QGroupBox>(panel, "direct_x_group_box")), 2);
    }
};

QStringList EffectPanelFormTest::capturedWarnings;

QTEST_MAIN(EffectPanelFormTest)
#include "tst_effectpanelform.moc"
