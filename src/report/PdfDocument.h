// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QPdfWriter>
#include <QString>
#include <functional>
#include <optional>

namespace km905 {

// A PDF the program writes: its pages painted on a writer into memory, then described as
// every report of the program is (Title, Author: the user, Creator: "km905 VERSION").
// Nothing when the painting failed.
std::optional<QByteArray> makePdf(const QString& title, const QPageLayout& layout, int resolution,
                                  const std::function<bool(QPdfWriter&)>& paint);

// The PDF with an Author entry in its document information: Qt writes Title and Creator but
// no Author. The entries of the cross-reference table after it move with it; a document laid
// out otherwise than Qt writes it comes back as it was.
QByteArray withPdfAuthor(const QByteArray& pdf, const QString& author);

}  // namespace km905
