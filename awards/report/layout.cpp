#include "layout.h"

namespace report {

const Placed *Page::find(const QString &name) const
{
    for (const Placed &element : elements) {
        if (element.name == name)
            return &element;
    }
    return nullptr;
}

std::vector<const Placed *> Page::all(const QString &name) const
{
    std::vector<const Placed *> found;
    for (const Placed &element : elements) {
        if (element.name == name)
            found.push_back(&element);
    }
    return found;
}

QStringList Page::texts() const
{
    QStringList out;
    for (const Placed &element : elements) {
        if (element.kind == Placed::Kind::Text)
            out << element.text;
    }
    return out;
}

} // namespace report
