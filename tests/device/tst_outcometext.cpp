// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/outcometext.h"
#include "effects/effectsettings.h"

#include <QtTest>

namespace {

QByteArray bytesOf(const EffectSettingsTypeDef &record)
{
    return QByteArray(reinterpret_cast<const char *>(&record), sizeof record);
}

CommandOutcome outcome(CommandOutcome::Command command, CommandOutcome::Result result, CommandOutcome::Step step)
{
    CommandOutcome ended;
    ended.command = command;
    ended.result = result;
    ended.step = step;
    ended.busyWaitLimitMs = 10000;
    return ended;
}

} // namespace

// The words claim no more than is known: a write whose command went out is never said to
// have failed, the firmware hint comes only with a reply too short, and a value the
// controller kept otherwise is named with both values.
class TestOutcomeText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void failureSaysWhatIsKnown_data();
    void failureSaysWhatIsKnown();
    void keptValuesAreNamedWithBothValues_data();
    void keptValuesAreNamedWithBothValues() { failureSaysWhatIsKnown(); }
};

void TestOutcomeText::failureSaysWhatIsKnown_data()
{
    QTest::addColumn<CommandOutcome>("ended");
    QTest::addColumn<QString>("said");
    using O = CommandOutcome;
    QTest::newRow("left after the save went out") << outcome(O::SaveHardware, O::Gone, O::WaitingAfterSave)
        << "The hardware settings may have been saved: the controller left before confirming. Choose it again to read "
           "what it holds.";
    QTest::newRow("save command timed out") << outcome(O::SaveEffects, O::NoAnswer, O::Saving)
        << "The effect settings may have been saved: the controller stopped answering before confirming. Check its "
           "cable and power, then choose it again to read what it holds.";
    QTest::newRow("save command refused") << outcome(O::SaveEffects, O::Refused, O::Saving)
        << "The effect settings were applied to the controller's working memory, but not saved: the controller "
           "refused the request.";
    QTest::newRow("status too short after an apply") << outcome(O::ApplyEffects, O::ShortReply, O::WaitingAfterWrite)
        << "The effect settings may have been applied: the controller's status reply was too short. Check that its "
           "firmware matches this tool, then read its settings again to see what it holds.";
    QTest::newRow("still busy after an apply") << outcome(O::ApplyHardware, O::StillBusy, O::WaitingAfterWrite)
        << "The hardware settings may have been applied: the controller was still busy after 10 s. Read its settings "
           "again to see what it holds.";
    QTest::newRow("status refused before the save") << outcome(O::SaveHardware, O::Refused, O::WaitingAfterWrite)
        << "The hardware settings were not saved: the controller refused the request for its status after the "
           "settings went to its working memory, so the save was not sent.";
    QTest::newRow("block refused") << outcome(O::ApplyEffects, O::Refused, O::Writing)
        << "The effect settings were not applied: the controller refused the request.";
    QTest::newRow("read unanswered") << outcome(O::ReadHardware, O::NoAnswer, O::Reading)
        << "The hardware settings could not be read: the controller did not answer. Check its cable and power, then "
           "try again.";
}

void TestOutcomeText::failureSaysWhatIsKnown()
{
    QFETCH(CommandOutcome, ended);
    QFETCH(QString, said);
    QCOMPARE(OutcomeText::describe(ended), said);
}

void TestOutcomeText::keptValuesAreNamedWithBothValues_data()
{
    QTest::addColumn<CommandOutcome>("ended");
    QTest::addColumn<QString>("said");
    EffectSettingsTypeDef sent{};
    sent.axis[0].motion_range = 60;
    EffectSettingsTypeDef clamped = sent;
    clamped.axis[0].motion_range = 40;
    CommandOutcome applied = outcome(CommandOutcome::ApplyEffects, CommandOutcome::Differs, CommandOutcome::Verifying);
    applied.sent = bytesOf(sent);
    applied.kept = bytesOf(clamped);
    QTest::newRow("unsigned") << applied
        << "Effect settings applied, but the controller kept other values: Axis 0: Motion range (degrees): sent 60, "
           "the controller kept 40. The page still shows what you entered.";

    // A signed byte, a float to six significant digits and reserved bytes only named.
    sent.invert_constant_force = -1;
    sent.axis[1].max_force = 7.25f;
    EffectSettingsTypeDef kept = sent;
    kept.invert_constant_force = 1;
    kept.axis[1].max_force = 0.1234567f;
    kept.reserved[3] = 1;
    kept.reserved[90] = 2;
    CommandOutcome saved = outcome(CommandOutcome::SaveEffects, CommandOutcome::Differs, CommandOutcome::Verifying);
    saved.sent = bytesOf(sent);
    saved.kept = bytesOf(kept);
    QTest::newRow("signed, float, reserved") << saved
        << "Effect settings saved, but the controller kept other values: Invert constant force: sent -1, the "
           "controller kept 1; reserved bytes; Axis 1: Max force available (kg): sent 7.25, the controller kept "
           "0.123457. The page still shows what you entered.";
}

QTEST_GUILESS_MAIN(TestOutcomeText)
#include "tst_outcometext.moc"
