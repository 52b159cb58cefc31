#include "sync/SyncEngineRun.h"

namespace {

// Writes under way at once.
constexpr int kParallelWrites = 4;

} // namespace

void CSyncEngine::Run::Queue(std::function<void()> write)
{
    m_work->wrote = true;
    m_writeQueue << std::move(write);
    Pump();
}

void CSyncEngine::Run::Pump()
{
    while (!m_over && !m_writeQueue.isEmpty() && m_inFlight < kParallelWrites) {
        ++m_inFlight;
        m_writeQueue.takeFirst()();
    }
}

void CSyncEngine::Run::Completed()
{
    --m_inFlight;
    Pump();
    if (!m_over && m_inFlight == 0 && m_writeQueue.isEmpty())
        RenameIfNeeded();
}

void CSyncEngine::Run::RecordProgress(const SyncStateItem &item, bool remove)
{
    for (SyncStateList &list : m_progress.lists) {
        if (list.id != m_work->job.id)
            continue;
        list.items.removeIf([&](const SyncStateItem &i) { return i.uid == item.uid; });
        if (!remove)
            list.items << item;
        return;
    }
}
