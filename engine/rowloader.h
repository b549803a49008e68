#pragma once

#include "rowstore.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

// Fills a row store from the rows of a statement. For a large table a second thread stores each
// batch of rows while this one reads the next from SQLite, so a log of a million QSOs opens in
// little more than the time SQLite takes to hand its rows over. The store must not be touched
// until finish() returns.
class RowLoader
{
public:
    RowLoader(RowStore &store, size_t expectedRows);
    ~RowLoader();
    RowLoader(const RowLoader &) = delete;
    RowLoader &operator=(const RowLoader &) = delete;

    void add(sqlite3_stmt *statement, int firstColumn);
    // Stores what is left and gives the storing thread's failure, if it had one.
    void finish();

private:
    void handOver();
    void storeBatches();
    void stop();

    RowStore &m_store;
    const std::vector<bool> m_integerColumns;
    RowBatch m_filling;
    std::vector<RowBatch> m_spare;
    std::deque<RowBatch> m_ready;
    std::mutex m_mutex;
    std::condition_variable m_batchReady;
    std::condition_variable m_roomForBatch;
    bool m_stopping = false;
    std::exception_ptr m_failure;
    std::thread m_storing;
};
