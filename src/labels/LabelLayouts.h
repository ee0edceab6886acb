#pragma once

#include "labels/ZplJob.h"

// The label layouts: every field of every label, with its place in each column.
// Builders emit them in their own order; see each builder.
namespace layouts {

// Price sticker 54x26, one label with logo.
const QList<zpl::FieldRow>& preco5426Single();
// Price sticker 54x26, four across (row 0 is the customer's name, emitted first for all columns).
const QList<zpl::FieldRow>& preco5426FourAcross();
// Basket/imported sticker 32x25, up to three across.
const QList<zpl::FieldRow>& basket3225();
// Price tag 53x60, two tags; one column, rows in printing order.
const QList<zpl::FieldRow>& tag5360();
// Sewing label 50x16, one label.
const QList<zpl::FieldRow>& costura5016Single();
// Sewing label 50x16, six across.
const QList<zpl::FieldRow>& costura5016SixAcross();
// Adhesive sewing label 50x23, two across.
const QList<zpl::FieldRow>& costura5023();
// Pack label 100x40, one volume.
const QList<zpl::FieldRow>& pack10040();
// Pack label 34x23, three volumes across.
const QList<zpl::FieldRow>& pack3423();

} // namespace layouts
