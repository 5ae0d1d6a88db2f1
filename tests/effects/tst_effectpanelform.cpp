// SPDX-License-Identifier: GPL-3.0-or-later
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

    void signalsAndSlotsByName()
    {
        // What the window and the form rely on: the two signals, and the slots the form
        // connects by name (a misspelt one would silently never run).
        const QMetaObject &meta = FullEffectSettingsWidget::staticMetaObject;
        for (const char *signal : {"profileApplied()", "profileProblem(QString)"})
            QVERIFY2(meta.indexOfSignal(signal) >= 0, signal);
        const QStringList byName{
            "on_profile_combo_box_activated(int)", "on_profile_save_button_clicked()", "on_profile_delete_button_clicked()",
            "on_motion_range_axis0_valueChanged(int)", "on_motion_range_slider_axis1_valueChanged(int)",
            "on_static_dampening_axis0_valueChanged(int)", "on_soft_stop_dampening_slider_axis1_valueChanged(int)",
        };
        for (const QString &slot : byName)
            QVERIFY2(meta.indexOfSlot(slot.toLatin1()) >= 0, qPrintable(slot));
    }
};

QStringList EffectPanelFormTest::capturedWarnings;

QTEST_MAIN(EffectPanelFormTest)
#include "tst_effectpanelform.moc"
