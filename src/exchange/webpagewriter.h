#pragma once

#include "exchange/exportdata.h"

#include <QByteArray>
#include <QDate>
#include <QSaveFile>
#include <QStringEncoder>

namespace exporting {

/// The web page of the export (reports/detail.htm): GBK with CR LF, line by line the system's
/// page with its style sheet and one table. Captions and values are HTML-escaped, and a character
/// GBK cannot hold is written as a numeric character reference. Written atomically: a failed
/// export leaves the previous page whole.
class WebPageWriter : public TableWriter
{
public:
    /// `date` is the table's date ("制表日期：").
    WebPageWriter(const QString& path, const QString& title, const QDate& date);

    void heading(const QStringList& captions) override;
    void record(const QStringList& values) override;
    void finish() override;

private:
    /// Escapes & < > " and encodes in GBK; what GBK cannot hold becomes "&#x…;".
    QByteArray htmlText(const QString& text);
    QByteArray gbkWithReferences(const QString& text);
    void line(const QByteArray& bytes);

    QSaveFile m_file;
    BufferedOutput m_out;
    QString m_title;
    QDate m_date;
    QStringEncoder m_gbk;
};

} // namespace exporting
