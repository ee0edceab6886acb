#pragma once

#include "render/ZplRenderer.h"

#include <QString>
#include <QStringList>

namespace render {

// The files for `count` pictures of one job at `pngPath`: the path itself for one
// picture; for several, "-1", "-2", ... before the extension (OUT.png: OUT-1.png, ...).
QStringList pictureFiles(const QString& pngPath, int count);

// Writes the labels' pictures to pictureFiles(pngPath, labels.size()). Returns the files
// written; stops at the first that cannot be written, with `error` naming it.
QStringList savePictures(const QList<RenderedLabel>& labels, const QString& pngPath, QString& error);

// Makes the picture printer ("png:/some/folder") work: each job file it writes gets its
// pictures beside it (000001-VORLA.zpl: 000001-VORLA.png). The program calls this once at
// start-up; until then such a printer takes nothing.
void installPngPrinter();

} // namespace render
