#include "render/LabelFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace render {

QFont labelFont(int heightDots) {
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(
            QStringLiteral(":/etiquetas/render/LiberationSansNarrow-Bold.ttf"));
        return QFontDatabase::applicationFontFamilies(id).value(0);
    }();
    QFont font(family);
    font.setPixelSize(std::max(1, heightDots));
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setBold(true);
    return font;
}

} // namespace render
