#include "rowloader.h"

#include <system_error>

namespace {

constexpr size_t batchRows = 2048;
// A batch of long texts is handed over sooner, so a table of them needs no more memory.
constexpr size_t batchBytes = size_t(16) << 20;
// A table smaller than this is stored as it is read: a thread would cost more than it saves.
constexpr size_t threadedFrom = 8 * batchRows;
// Batches read but not yet stored; the reader waits beyond it, so memory stays bounded.
constexpr size_t queuedBatches = 4;

std::vector<bool> integerColumns(const RowStore &store)
{
    std::vector<bool> integers;
    for (int column = 0; column < store.columnCount(); ++column)
        integers.push_back(!store.isCoded(column));
    return integers;
}

} // namespace

RowLoader::RowLoader(RowStore &store, size_t expectedRows)
    : m_store(store), m_integerColumns(integerColumns(store)), m_filling(m_integerColumns)
{
    if (expectedRows < threadedFrom)
        return;
    try {
        m_storing = std::thread([this] { storeBatches(); });
    } catch (const std::system_error &) {
        // No thread to be had: the rows are stored as they are read.
    }
}

RowLoader::~RowLoader()
{
    stop();
}

void RowLoader::add(sqlite3_stmt *statement, int firstColumn)
{
    m_filling.addFrom(statement, firstColumn);
    if (m_filling.rowCount() == batchRows || m_filling.textBytes() >= batchBytes)
        handOver();
}

void RowLoader::finish()
{
    if (m_filling.rowCount() > 0)
        handOver();
    stop();
    if (m_failure)
        std::rethrow_exception(m_failure);
}

void RowLoader::handOver()
{
    if (!m_storing.joinable()) {
        m_store.append(m_filling);
        m_filling.clear();
        return;
    }
    std::unique_lock lock(m_mutex);
    m_roomForBatch.wait(lock, [this] { return m_ready.size() < queuedBatches || m_failure; });
    if (m_failure)
        std::rethrow_exception(m_failure);
    RowBatch next(m_integerColumns);
    if (!m_spare.empty()) {
        next = std::move(m_spare.back());
        m_spare.pop_back();
    }
    m_ready.push_back(std::move(m_filling));
    m_filling = std::move(next);
    m_batchReady.notify_one();
}

void RowLoader::storeBatches()
{
    for (;;) {
        RowBatch batch;
        {
            std::unique_lock lock(m_mutex);
            m_batchReady.wait(lock, [this] { return !m_ready.empty() || m_stopping; });
            if (m_ready.empty())
                return;
            batch = std::move(m_ready.front());
            m_ready.pop_front();
        }
        std::exception_ptr failure;
        try {
            m_store.append(batch);
        } catch (...) {
            failure = std::current_exception();
        }
        batch.clear();
        std::lock_guard lock(m_mutex);
        m_spare.push_back(std::move(batch));
        if (failure && !m_failure)
            m_failure = failure;
        m_roomForBatch.notify_one();
        if (m_failure)
            return;
    }
}

// Lets the storing thread finish the batches handed over, then waits for it.
void RowLoader::stop()
{
    if (!m_storing.joinable())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_batchReady.notify_one();
    m_storing.join();
}
