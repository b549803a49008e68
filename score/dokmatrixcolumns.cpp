#include "dokmatrixcolumns.h"

#include "vocabulary.h"

#include <QCoreApplication>

std::vector<ViewModel::GridColumn> dokMatrixColumns(ModeTitles titles)
{
    std::vector<ViewModel::GridColumn> columns{{QStringLiteral("DOK"), QStringLiteral("DOK")},
                                               {vocab::summaryCell, QCoreApplication::translate("ManagementView", "Cf")}};
    for (const QString &suffix : vocab::matrixSuffixes())
        columns.push_back({vocab::bandCell(suffix), vocab::bandOfSuffix(suffix)});
    for (const QString &mode : vocab::modes()) {
        const QString title = mode == QLatin1String("RTTY") ? vocab::rttyTitle : mode;
        columns.push_back({vocab::modeCell(mode), titles == ModeTitles::Lower ? title.toLower() : title});
    }
    return columns;
}
