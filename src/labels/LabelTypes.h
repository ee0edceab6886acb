#pragma once

#include <QString>

// The six label types, known everywhere by the exact caption of their menu item.
namespace labeltype {
inline const QString Preco5426 = QStringLiteral("1-Etiqueta Adesiva de Preço 54x26mm");
inline const QString Tag5360 = QStringLiteral("2-Etiqueta Tag de Preço 53x60mm");
inline const QString Costura5016 = QStringLiteral("3-Etiqueta de Costura 50x16mm");
inline const QString Costura5023 = QStringLiteral("4-Etiqueta Adesiva de Costura 50x23mm");
inline const QString Basket3225 = QStringLiteral("5/6-Etiqueta Adesiva Basket/Importado  32x25mm");
inline const QString Pack = QStringLiteral("7-Etiqueta Adesiva para Pack");
} // namespace labeltype
