// Every public header of the core library, included together in one translation unit: the
// interface compiles as a whole and declares no type twice.
#include "AllCoreHeaders.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace {

// Counts its releases so a test can tell ObjectDelete released it exactly once.
class TCounted : public NavObject {
public:
    explicit TCounted(int &deletes) : FDeletes(deletes) {}
    ~TCounted() override { ++FDeletes; }

private:
    int &FDeletes;
};

}  // namespace

TEST(CoreLibInterface, ObjectTypesAreAbstractNavObjects) {
    static_assert(std::is_abstract_v<IExceptionHandler>);
    static_assert(std::is_abstract_v<IProgInfo>);
    static_assert(std::is_abstract_v<IStrW>);
    static_assert(std::is_base_of_v<NavObject, IStrWList>);
    static_assert(std::has_virtual_destructor_v<NavObject>);
    int deletes = 0;
    ObjectDelete(new TCounted(deletes));
    EXPECT_EQ(deletes, 1);
    ObjectDelete(nullptr);  // ignored
    EXPECT_EQ(deletes, 1);
}
