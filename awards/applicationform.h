#pragma once

#include "layout.h"

#include <QCoreApplication>
#include <QRectF>
#include <vector>

// The drawings the application is printed on: the application form, the header of the QSO list
// and the strip of column titles. Each works out where its boxes stand from the size it is
// given, in millimetres from its top left corner, so that every box stays inside its frame;
// drawing() gives the boxes, lines and texts to print, their texts in the program's language.

class ApplicationFormLayout
{
    Q_DECLARE_TR_FUNCTIONS(ApplicationForm)

public:
    explicit ApplicationFormLayout(QSizeF size = {187.6, 255.3});

    QSizeF size;
    QRectF outerFrame;
    QRectF frame; // the inner line of the frame: everything stands inside it
    QRectF addressBox;
    QRectF dateBox;
    QRectF callsignBox;
    QRectF awardsBox;
    QRectF levelTable;
    QRectF managerBox;
    QRectF signatureBox;

    // The boxes that hold the applicant's data and the claimed awards.
    std::vector<QRectF> boxes() const;
    std::vector<report::Placed> drawing() const;
};

class ListHeaderLayout
{
    Q_DECLARE_TR_FUNCTIONS(ApplicationForm)

public:
    explicit ListHeaderLayout(QSizeF size);

    QSizeF size;
    QRectF frame;
    QRectF applicationBox;
    QRectF applicantBox;
    QRectF dateBox;

    std::vector<QRectF> boxes() const;
    std::vector<report::Placed> drawing() const;
};

class ColumnStripLayout
{
    Q_DECLARE_TR_FUNCTIONS(ApplicationForm)

public:
    explicit ColumnStripLayout(QSizeF size = {163.8, 5.6});

    QSizeF size;
    QRectF frame;
    // Where the columns of a QSO line divide, from the strip's left edge.
    static constexpr double dividers[6] = {9.3, 30.7, 43.7, 64.7, 78.7, 92.9};

    std::vector<report::Placed> drawing() const;
};
