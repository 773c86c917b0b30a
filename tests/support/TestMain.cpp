#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv)
{
    // Tests compare messages byte for byte, so they run in the C locale whatever the machine's.
    std::setlocale(LC_ALL, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
