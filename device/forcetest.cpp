// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/forcetest.h"

#include "device/forceeffectplayer.h"
#include "device/deviceinfo.h"
#include "device/usbcontrollers.h"

#include <QPointer>
#include <QThread>
#include <QTimer>

// Runs on a thread of its own: the node lookup and the ioctls never hold up the window.
class ForceTest::Runner : public QObject
{
public:
    explicit Runner(ForceTest *owner)
        : m_owner(owner)
    {
        m_thread.setObjectName(QStringLiteral("force test"));
        moveToThread(&m_thread);
        m_thread.start();
    }

    ~Runner() override
    {
        QMetaObject::invokeMethod(this, [this] { end(ForceTestOutcome::Stopped, false); },
                                  Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }

    void start(int serial, int productId, const ForceTestRequest &request)
    {
        QMetaObject::invokeMethod(this, [=, this] {
            end(ForceTestOutcome::Stopped, true);
            const QString node = UsbControllers::eventNodeFor(KESTROV_VENDOR_ID, productId);
            const ForceTestOutcome outcome = m_player.start(node, request);
            if (outcome.kind != ForceTestOutcome::Played) {
                report(serial, outcome);
                return;
            }
            m_serial = serial;
            if (!m_timer) {
                m_timer = new QTimer(this);
                m_timer->setSingleShot(true);
                connect(m_timer, &QTimer::timeout, this, [this] { end(ForceTestOutcome::Played, true); });
            }
            m_timer->start(request.durationMs);
            QMetaObject::invokeMethod(m_owner, [owner = m_owner] { emit owner->started(); }, Qt::QueuedConnection);
        });
    }

    void stop()
    {
        QMetaObject::invokeMethod(this, [this] { end(ForceTestOutcome::Stopped, true); });
    }

private:
    void end(ForceTestOutcome::Kind kind, bool tell)
    {
        if (m_timer)
            m_timer->stop();
        if (!m_player.isPlaying())
            return;
        m_player.stop();
        if (tell) {
            ForceTestOutcome outcome;
            outcome.kind = kind;
            report(m_serial, outcome);
        }
    }

    void report(int serial, const ForceTestOutcome &outcome)
    {
        QMetaObject::invokeMethod(m_owner, [owner = m_owner, serial, outcome] { owner->finish(serial, outcome); },
                                  Qt::QueuedConnection);
    }

    QThread m_thread;
    ForceTest *m_owner;
    ForceEffectPlayer m_player;
    QTimer *m_timer = nullptr;
    int m_serial = 0;
};

ForceTest::ForceTest(QObject *parent)
    : QObject(parent)
    , m_runner(std::make_unique<Runner>(this))
{
    qRegisterMetaType<ForceTestOutcome>();
}

ForceTest::~ForceTest() = default;

void ForceTest::start(int productId, const ForceTestRequest &request)
{
    m_pending.insert(++m_lastSerial);
    m_runner->start(m_lastSerial, productId, request);
}

void ForceTest::stop()
{
    m_runner->stop();
}

bool ForceTest::isRunning() const
{
    return !m_pending.isEmpty();
}

void ForceTest::finish(int serial, const ForceTestOutcome &outcome)
{
    if (!m_pending.remove(serial))
        return;
    emit finished(outcome);
}
