// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/liveinputreader.h"

#include "device/inputeventsource.h"
#include "device/deviceinfo.h"
#include "device/usbcontrollers.h"

#include <QElapsedTimer>

#include <atomic>
#include <mutex>
#include <thread>

namespace {

// The window repaints at most this often, however fast the controller reports.
constexpr int UPDATE_INTERVAL_MS = 1000 / 60;

} // namespace

// One reading of one controller, on a thread of its own. Its results go to the reader
// tagged with the reading's generation, so that a late one from a reading already
// ended is dropped.
class LiveInputReader::Loop
{
public:
    Loop(LiveInputReader *owner, int generation, int productId, bool paused)
        : m_owner(owner)
        , m_generation(generation)
        , m_paused(paused)
        , m_thread([this, productId] { run(productId); })
    {
    }

    ~Loop()
    {
        requestStop();
        m_thread.join();
    }

    // Returns at once: the thread may be in a call to the device that takes its time.
    void requestStop()
    {
        m_stop = true;
        std::lock_guard lock(m_sourceMutex);
        if (m_source)
            m_source->wake();
    }

    bool hasEnded() const { return m_ended; }

    void setPaused(bool paused)
    {
        m_paused = paused;
        std::lock_guard lock(m_sourceMutex);
        if (m_source)
            m_source->wake();
    }

private:
    void run(int productId)
    {
        readDevice(productId);
        m_ended = true;
    }

    void readDevice(int productId)
    {
        const QString node = UsbControllers::eventNodeFor(KESTROV_VENDOR_ID, productId);
        if (node.isEmpty()) {
            LiveInputProblem problem;
            problem.kind = LiveInputProblem::NoInputDevice;
            post([problem](LiveInputReader *reader) { emit reader->problemChanged(problem); });
            return;
        }
        LiveInputProblem problem;
        std::unique_ptr<InputEventSource> source = InputEventSource::open(node, &problem);
        if (!source) {
            post([problem](LiveInputReader *reader) { emit reader->problemChanged(problem); });
            return;
        }
        {
            std::lock_guard lock(m_sourceMutex);
            m_source = source.get();
        }
        post([snapshot = source->snapshot()](LiveInputReader *reader) {
            emit reader->problemChanged(LiveInputProblem());
            emit reader->snapshotChanged(snapshot);
        });
        read(*source);
        std::lock_guard lock(m_sourceMutex);
        m_source = nullptr;
    }

    // A change after a quiet spell is shown at once. While the controller keeps reporting,
    // its reports gather in the kernel's buffer and are read once a frame without polling,
    // so that a stick moved at the controller's full report rate costs two reads a frame.
    void read(InputEventSource &source)
    {
        QList<InputEventSource::Change> changes;
        QElapsedTimer sinceUpdate;
        sinceUpdate.start();
        bool moving = false;
        while (!m_stop) {
            if (m_paused) {
                // Until woken, to resume or to stop. The kernel keeps what comes meanwhile (or
                // says it dropped some), so the first read after resuming finds the changes.
                source.pause(-1);
                continue;
            }
            changes.clear();
            InputEventSource::Wait result;
            if (moving) {
                const int early = UPDATE_INTERVAL_MS - int(sinceUpdate.elapsed());
                if (early > 0 && !source.pause(early))
                    continue;
                result = source.waitForChanges(changes, 0);
            } else {
                result = source.waitForChanges(changes, -1);
            }
            if (result == InputEventSource::Wait::Gone) {
                LiveInputProblem problem;
                problem.kind = LiveInputProblem::Gone;
                problem.node = source.node();
                post([problem](LiveInputReader *reader) {
                    emit reader->cleared();
                    emit reader->problemChanged(problem);
                });
                return;
            }
            moving = result == InputEventSource::Wait::Changes;
            if (!moving || m_stop)
                continue;
            post([snapshot = source.snapshot()](LiveInputReader *reader) { emit reader->snapshotChanged(snapshot); });
            sinceUpdate.restart();
        }
    }

    template<typename Function>
    void post(Function function)
    {
        QMetaObject::invokeMethod(
            m_owner,
            [owner = m_owner, generation = m_generation, function] {
                if (owner->m_generation == generation)
                    function(owner);
            },
            Qt::QueuedConnection);
    }

    LiveInputReader *m_owner;
    const int m_generation;
    std::atomic<bool> m_stop = false;
    std::atomic<bool> m_paused;
    std::atomic<bool> m_ended = false;
    std::mutex m_sourceMutex;
    InputEventSource *m_source = nullptr;
    std::thread m_thread;
};

LiveInputReader::LiveInputReader(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<InputSnapshot>();
    qRegisterMetaType<LiveInputProblem>();
}

LiveInputReader::~LiveInputReader()
{
    ++m_generation;
    if (m_loop)
        m_loop->requestStop();
    for (const std::unique_ptr<Loop> &loop : m_ending)
        loop->requestStop();
    m_loop.reset();
    m_ending.clear();
}

void LiveInputReader::start(int productId)
{
    stop();
    m_loop = std::make_unique<Loop>(this, ++m_generation, productId, m_paused);
}

void LiveInputReader::stop()
{
    if (!m_loop)
        return;
    ++m_generation;
    // Not waited for here, so that a controller slow to answer never holds up the window;
    // its results are dropped by their generation, and it is joined once it has ended.
    m_loop->requestStop();
    m_ending.push_back(std::move(m_loop));
    std::erase_if(m_ending, [](const std::unique_ptr<Loop> &loop) { return loop->hasEnded(); });
    emit cleared();
}

void LiveInputReader::setPaused(bool paused)
{
    if (paused == m_paused)
        return;
    m_paused = paused;
    if (m_loop)
        m_loop->setPaused(paused);
}

bool LiveInputReader::isRunning() const
{
    return m_loop != nullptr;
}
