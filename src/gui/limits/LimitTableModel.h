// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/limits/AgreementYear.h"

#include <QAbstractTableModel>

namespace mitoran {

// The agreement year's twelve months as the 36協定 grid shows them: each figure's cell coloured by the level of
// its limit, with the level in words in its hint for those who do not see the colour.
class LimitTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetYear(const AgreementYear& year);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString Hint(const LimitMonth& month, int column) const;

    AgreementYear m_year;
};

} // namespace mitoran
