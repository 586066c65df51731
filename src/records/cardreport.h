#pragma once

#include "data/engine/datasetmodel.h"
#include "report/report.h"

#include <QDate>
#include <QList>

#include <functional>

namespace engine {
class Dataset;
}

/// The personnel card: one A4 page per person of the person query, as the card form lays it out
/// (page header with the title, the record band with the card table, photo and notes, the page
/// footer with the page number). Values are read from the query's rows without moving it.
class CardReport : public report::Report
{
public:
    /// `persons` is a dataset over table person (the browser's person query); it must outlive the
    /// report. The current row is taken when the report is made.
    CardReport(engine::Dataset& persons, report::Range range, const QDate& printDate);

    void paint(report::Canvas& canvas) const override;
    QString title() const override;

    /// What follows each person's card (the whole archive: the person's detail lists), painted
    /// with the person's key and name; it starts its own pages.
    using Appendix = std::function<void(report::Canvas& canvas, const QString& personId, const QString& name)>;
    void setAppendix(Appendix appendix) { m_appendix = std::move(appendix); }

    /// The dataset rows printed, in order.
    QList<int> rows() const;

    /// The card page of one person: the texts of its fields by name and its picture.
    static void paintCard(report::Canvas& canvas, const std::function<QString(const QString& field)>& value,
                          const QByteArray& picture, const QDate& printDate);

private:
    QByteArray picture(int row) const;

    engine::Dataset& m_persons;
    mutable engine::DatasetModel m_texts;
    report::Range m_range;
    int m_current;
    QDate m_printDate;
    Appendix m_appendix;
};
