#include "core/operators.h"

#include <gtest/gtest.h>

#include "core/clock.h"
#include "core/cp1251.h"
#include "core/scramble.h"
#include "core/test_home.h"

namespace lumo::core {
namespace {

namespace fs = std::filesystem;
using test::TempHome;

TEST(OperatorFile, MissingFileIsCreatedWithTheDefaultOperator) {
    TempHome home;
    const ManualClock clock({2024, 5, 9});
    OperatorList list;
    list.load(home / "userlist.dat", clock);
    ASSERT_EQ(list.size(), 1u);
    const TUser& first = list.users()[0];
    EXPECT_EQ(first.name, "Operator 1");
    EXPECT_EQ(first.status, "+");
    EXPECT_EQ(first.date, "09-05-2024");
    EXPECT_EQ(first.note, " ");
    EXPECT_EQ(first.password.size(), 8u);
    EXPECT_EQ(first.password.find_first_not_of("0123456789"), std::string::npos);

    const std::string image = test::readFile(home / "userlist.dat");
    EXPECT_EQ(image.size(), 64u);
    EXPECT_EQ(OperatorList::decode(image), list.users());
}

TEST(OperatorFile, EmptyFileGivesAnEmptyListAndStaysEmpty) {
    TempHome home;
    test::writeFile(home / "userlist.dat", "");
    OperatorList list;
    list.load(home / "userlist.dat", ManualClock());
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(fs::file_size(home / "userlist.dat"), 0u);
}

TEST(OperatorFile, TrailingFragmentIsIgnored) {
    TempHome home;
    const std::vector<TUser> users = {{"1", "Anna", "+", "01-01-2001", "a"}, {"2", "Boris", "-", "02-02-2002", "b"}};
    test::writeFile(home / "userlist.dat", OperatorList::encode(users) + std::string(63, 'x'));
    OperatorList list;
    list.load(home / "userlist.dat", ManualClock());
    EXPECT_EQ(list.users(), users);
    EXPECT_EQ(list.indexOf("boris"), 1);
    EXPECT_EQ(list.indexOf("Nobody"), -1);
}

TEST(OperatorFile, RecordLayoutByteForByte) {
    const TUser user{"1234", "Иванов Пётр", "-", "01-02-2003", "заметка"};
    const std::string image = OperatorList::encode({user});
    ASSERT_EQ(image.size(), 64u);
    auto field = [&](std::size_t offset, std::size_t size, const std::string& text) {
        const std::string bytes = toCp1251(text);
        std::string expected(size, '\0');
        expected[0] = static_cast<char>(bytes.size());  // the length byte is plain
        expected.replace(1, bytes.size(), scrambleBytes(bytes));
        EXPECT_EQ(image.substr(offset, size), expected) << "field at " << offset;
    };
    field(0, 9, user.password);
    field(9, 21, user.name);
    field(30, 2, user.status);
    field(32, 11, user.date);
    field(43, 21, user.note);
    EXPECT_EQ(OperatorList::decode(image), std::vector<TUser>{user});

    TempHome home;
    OperatorList list;
    list.users() = {user, {"87654321", "Петрова", "-", "04-05-2006", ""}};
    list.save(home / "userlist.dat");
    OperatorList again;
    again.load(home / "userlist.dat", ManualClock());
    EXPECT_EQ(again.users(), list.users());
}

TEST(OperatorFile, FieldsAreCutToTheirSizes) {
    const TUser longer{"123456789", "Александр Владимиров-Ж", "+-", "01-02-2003 x", "012345678901234567890123"};
    const std::vector<TUser> read = OperatorList::decode(OperatorList::encode({longer}));
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0], (TUser{"12345678", "Александр Владимиров", "+", "01-02-2003", "01234567890123456789"}));
}

TEST(OperatorFile, OverlongLengthByteStaysInsideItsField) {
    std::string image = OperatorList::encode({{"1", "Anna", "+", "01-01-2001", "note"}});
    image[9] = static_cast<char>(200);  // the name claims 200 bytes
    image[0] = static_cast<char>(9);    // the password one byte more than its field
    const std::vector<TUser> read = OperatorList::decode(image);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].name.substr(0, 4), "Anna");
    EXPECT_EQ(charCount(read[0].name), 20u);
    EXPECT_EQ(charCount(read[0].password), 8u);
    EXPECT_EQ(read[0].status, "+");  // the next field is read from its own offset
    EXPECT_EQ(read[0].date, "01-01-2001");
}

}  // namespace
}  // namespace lumo::core
