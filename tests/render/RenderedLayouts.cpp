#include "render/RenderedLayouts.h"

#include "support/TestHome.h"

#include <map>
#include <memory>
#include <stdexcept>

namespace sijill::test {

const report::LaidOutReport& filledLayout(const QString& name, Fill fill) {
    // One school a fill: the fills read the profile and the students from it.
    // One at a time, as SIJILL_HOME names one.
    static std::unique_ptr<TestHome> home;
    static Fill seeded = Fill::Long;
    static std::map<std::pair<Fill, QString>, report::LaidOutReport> done;
    auto found = done.find({fill, name});
    if (found != done.end())
        return found->second;
    if (!home || seeded != fill) {
        home.reset();
        home = std::make_unique<TestHome>();
        seedHome(*home, fillTexts(fill));
        seeded = fill;
    }
    for (const LayoutFill& f : layoutFills()) {
        if (f.layout == name)
            return done.emplace(std::pair{fill, name}, f.fill(fillTexts(fill))).first->second;
    }
    throw std::invalid_argument("no fill for layout " + name.toStdString());
}

} // namespace sijill::test
