#pragma once

#include "platform/automation/ComponentError.h"
#include "platform/components/ReportTemplate.h"

#include <QMutex>
#include <QSemaphore>
#include <QSet>
#include <QString>
#include <QThreadPool>

#include <optional>

class QFile;

namespace oruhr {

// Filled reports laid out and written to their PDF files on the machine's other cores while
// the next report reads its data. The file is opened before a report is queued, so that a
// file that cannot be written fails its own report; a failure while writing fails the next
// add or wait. A file queued again waits for its earlier writing first.
class ReportPdfQueue {
public:
    ReportPdfQueue();
    ~ReportPdfQueue();
    ReportPdfQueue(const ReportPdfQueue &) = delete;
    ReportPdfQueue &operator=(const ReportPdfQueue &) = delete;

    // Opens the file and queues the report; waits while the queue is full. Throws
    // ComponentError for an earlier report's failure, before the file is touched, or when the
    // file cannot be opened.
    void add(const QString &html, const ReportTemplate &layout, const QString &pdfFile);
    // Returns when every queued file is written; throws the first failure since the last throw.
    void waitForAll();

private:
    void write(const QString &html, const ReportTemplate &layout, QFile &file);
    void throwFailure();

    QThreadPool m_pool;
    // Bounds the filled reports held in memory.
    QSemaphore m_room;
    QMutex m_mutex;
    QSet<QString> m_writing;
    std::optional<ComponentError> m_failure;
};

} // namespace oruhr
