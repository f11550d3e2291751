#include "cmd/ZR_Chain.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Member {
  int id;
  ZR_Chain_Item link{this};
};

std::vector<int> ids(const ZR_Chain& chain) {
  std::vector<int> out;
  chain.forEach<Member>([&](Member* m) { out.push_back(m->id); });
  return out;
}

// Walks both directions so a broken back link shows as well as a broken forward one.
void expectConsistent(const ZR_Chain& chain) {
  int forward = 0;
  const ZR_Chain_Item* prev = &chain.head;
  for (ZR_Chain_Item* it = chain.first(); it != chain.end(); it = it->next) {
    EXPECT_EQ(it->prev, prev);
    EXPECT_EQ(it->chain, &chain);
    prev = it;
    ++forward;
  }
  EXPECT_EQ(chain.tail.prev, prev);
  EXPECT_EQ(forward, chain.count);
  EXPECT_EQ(chain.head.data, nullptr);
  EXPECT_EQ(chain.tail.chain, nullptr);
}

TEST(Chain, EmptyListLinksItsSentinels) {
  ZR_Chain chain;
  EXPECT_EQ(chain.head.next, &chain.tail);
  EXPECT_EQ(chain.tail.prev, &chain.head);
  EXPECT_EQ(chain.count, 0);
}

TEST(Chain, InsertAppendsOrGoesBeforeAMember) {
  ZR_Chain chain;
  Member a{1}, b{2}, c{3};
  chain.insert(&a.link);
  EXPECT_EQ(chain.first(), &a.link);
  EXPECT_EQ(chain.last(), &a.link);
  chain.insert(&b.link);
  chain.insert(&c.link, chain.first());
  EXPECT_EQ(ids(chain), (std::vector<int>{3, 1, 2}));
  expectConsistent(chain);
}

TEST(Chain, InsertingAMemberOfAnyListChangesNothing) {
  ZR_Chain one, two;
  Member a{1}, b{2};
  one.insert(&a.link);
  one.insert(&b.link);
  one.insert(&a.link);
  two.insert(&a.link);
  EXPECT_EQ(ids(one), (std::vector<int>{1, 2}));
  EXPECT_EQ(two.count, 0);
  expectConsistent(one);
  expectConsistent(two);
}

TEST(Chain, RemoveUnlinksOnlyItsOwnMembers) {
  ZR_Chain one, two;
  Member a{1}, b{2}, c{3}, loose{4};
  one.insert(&a.link);
  one.insert(&b.link);
  one.insert(&c.link);
  two.remove(&b.link);
  one.remove(&loose.link);
  EXPECT_EQ(one.count, 3);
  one.remove(&b.link);
  EXPECT_EQ(ids(one), (std::vector<int>{1, 3}));
  EXPECT_EQ(b.link.chain, nullptr);
  EXPECT_EQ(b.link.prev, &a.link) << "a removed link keeps its old neighbours";
  EXPECT_EQ(b.link.next, &c.link);
  expectConsistent(one);
  one.insert(&b.link);
  EXPECT_EQ(ids(one), (std::vector<int>{1, 3, 2})) << "a removed link can join again";
}

}  // namespace
