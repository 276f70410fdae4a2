#include "platform/components/ReportPdfQueue.h"

#include "platform/components/ReportPrinter.h"

#include <QFile>
#include <QMutexLocker>
#include <QThread>

#include <memory>

namespace oruhr {

ReportPdfQueue::ReportPdfQueue()
    : m_room(2 * qMax(1, QThread::idealThreadCount()))
{
    m_pool.setMaxThreadCount(qMax(1, QThread::idealThreadCount()));
    // The threads keep their fonts from one report to the next.
    m_pool.setExpiryTimeout(-1);
}

ReportPdfQueue::~ReportPdfQueue()
{
    m_pool.waitForDone();
}

void ReportPdfQueue::add(const QString &html, const ReportTemplate &layout, const QString &pdfFile)
{
    bool again = false;
    {
        QMutexLocker locker(&m_mutex);
        again = m_writing.contains(pdfFile);
    }
    if (again)
        m_pool.waitForDone();
    throwFailure();
    std::shared_ptr<QFile> shared = ReportPrinter::openPdf(pdfFile);
    m_room.acquire();
    {
        QMutexLocker locker(&m_mutex);
        m_writing.insert(pdfFile);
    }
    m_pool.start([this, html, layout, shared] {
        write(html, layout, *shared);
        QMutexLocker locker(&m_mutex);
        m_writing.remove(shared->fileName());
        m_room.release();
    });
}

void ReportPdfQueue::write(const QString &html, const ReportTemplate &layout, QFile &file)
{
    try {
        ReportPrinter(html, layout).writePdf(file);
        file.close();
    } catch (const ComponentError &error) {
        file.close();
        QMutexLocker locker(&m_mutex);
        if (!m_failure)
            m_failure = error;
    }
}

void ReportPdfQueue::waitForAll()
{
    m_pool.waitForDone();
    throwFailure();
}

void ReportPdfQueue::throwFailure()
{
    QMutexLocker locker(&m_mutex);
    if (!m_failure)
        return;
    const ComponentError failure = *m_failure;
    m_failure.reset();
    throw failure;
}

} // namespace oruhr
