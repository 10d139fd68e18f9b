// The checks behind the address fields: dotted addresses and comma-separated lists.

#include <gtest/gtest.h>

#include <string>

#include "app/logic/main/AddressValidation.h"

namespace {

TEST(IsValidIP, AcceptsDottedAddressesAndTheEmptyText) {
    for (const std::string address : {"", "192.168.101.5", "08.8.8.8", "0.0.0.0", "255.255.255.255",
                                      "255.0.255.0", "001.002.003.004"}) {
        EXPECT_TRUE(isValidIP(address)) << address;
    }
}

TEST(IsValidIP, RejectsMissingPartsOutOfRangeValuesAndStrayCharacters) {
    for (const std::string address :
         {"1.2.3", "1..2.3", "1.2.3.", ".1.2.3", "1.2.3.4.5", "256.1.1.1", "1.2.3.256", "1.2.3.4a",
          " 1.2.3.4", "1.2.3.4 ", "1234.1.1.1", "1.2.3.0004", "1.2.-3.4", "1,2,3,4", ".", "...",
          "192.168.1"}) {
        EXPECT_FALSE(isValidIP(address)) << address;
    }
}

TEST(IsValidIPList, AcceptsTheEmptyListAndAnyNumberOfValidItems) {
    EXPECT_TRUE(isValidIPList("", ','));
    EXPECT_TRUE(isValidIPList("192.168.101.5", ','));
    EXPECT_TRUE(isValidIPList("192.168.101.5,192.168.101.6,10.0.0.1,10.0.0.2", ','));
    EXPECT_TRUE(isValidIPList("10.0.0.1;10.0.0.2", ';'));
}

TEST(IsValidIPList, RejectsEmptyItemsBlanksAndInvalidAddresses) {
    for (const std::string list :
         {"192.168.101.5,", ",192.168.101.5", "192.168.101.5,,192.168.101.6", ",",
          "192.168.101.5, 192.168.101.6", "192.168.101.5,192.168.1", "10.0.0.1;10.0.0.2"}) {
        EXPECT_FALSE(isValidIPList(list, ',')) << list;
    }
}

}  // namespace
