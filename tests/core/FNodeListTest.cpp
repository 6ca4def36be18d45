#include "core/FNodeList.h"

#include "DesignFixtures.h"

#include <gtest/gtest.h>

namespace {

TEST(FNodeListTest, NewNodesGoToTheHeadAndOutOfRangeLookUpsGiveTheNoneNode) {
    FNodeList list = Design({PoleAt(0.1, 0), PoleAt(0.2, 0)});
    list.AddNode(FNode(kNodeNone, FComplex(), false, 1));
    EXPECT_EQ(list.GetListCount(kNodePole), 2);
    EXPECT_EQ(list.GetListCount(kNodeZero), 0);
    EXPECT_EQ(list.GetListCount(kNodeNone), -1);
    EXPECT_EQ(list.GetNodeByIndex(kNodePole, 0), PoleAt(0.2, 0));
    EXPECT_EQ(list.GetNodeByIndex(kNodePole, 1), PoleAt(0.1, 0));
    EXPECT_EQ(list.GetIndexOfNode(PoleAt(0.1, 0)), 1);
    EXPECT_EQ(list.GetIndexOfNode(PoleAt(0.3, 0)), -1);
    for (const FNode& n : {list.GetNodeByIndex(kNodePole, 5), list.GetNodeByIndex(kNodePole, -1),
                           list.GetNodeByIndex(3, 0), list.GetNodeByIndex(kNodeZero, 0)}) {
        EXPECT_EQ(n, FNode(kNodeNone, FComplex(), true, 1));
    }
}

TEST(FNodeListTest, CausalityCountsPairsTwiceAndNotTheOrder) {
    EXPECT_TRUE(FNodeList().Causal());
    EXPECT_TRUE(Design({PoleAt(0.5, 0.5, true), ZeroAt(-1, 0)}).Causal());
    const FNodeList nonCausal = Design({ZeroAt(0, 1, true), ZeroAt(0, 0.5, true), PoleAt(0.5, 0)});
    EXPECT_FALSE(nonCausal.Causal());
    EXPECT_EQ(nonCausal.RootCount(kNodeZero), 4);
    EXPECT_TRUE(Design({FNode(kNodeZero, FComplex(0.1, 0), false, 3), PoleAt(0.5, 0)}).Causal());
}

TEST(FNodeListTest, RemoveFindsByToleranceAndAllFieldsAndClearByMask) {
    FNodeList list = Design({PoleAt(0.5, 0.25)});
    list.RemoveNode(FNode(kNodePole, FComplex(0.5, 0.25), true, 1));
    list.RemoveNode(FNode(kNodePole, FComplex(0.5, 0.25), false, 2));
    EXPECT_EQ(list.GetListCount(kNodePole), 1);
    list.RemoveNode(PoleAt(0.5 + 5e-7, 0.25));
    EXPECT_EQ(list.GetListCount(kNodePole), 0);

    list = Design({PoleAt(0.3, 0), PoleAt(0.3, 0), ZeroAt(0.1, 0)});
    list.RemoveNode(PoleAt(0.3, 0));
    EXPECT_EQ(list.GetListCount(kNodePole), 1);
    list.RemoveNode(kNodePole, 4);
    EXPECT_EQ(list.GetListCount(kNodePole), 1);
    list.RemoveNode(kNodePole, 0);
    EXPECT_EQ(list.GetListCount(kNodePole), 0);
    list.AddNode(PoleAt(0.1, 0));
    list.Clear(kNodePole);
    EXPECT_EQ(list.GetListCount(kNodePole), 0);
    EXPECT_EQ(list.GetListCount(kNodeZero), 1);
    list.AddNode(PoleAt(0.1, 0));
    list.Clear(kNodeBoth);
    EXPECT_EQ(list.GetListCount(kNodePole) + list.GetListCount(kNodeZero), 0);
}

TEST(FNodeListTest, ReplaceKeepsThePlace) {
    FNodeList list = Design({ZeroAt(0.1, 0), ZeroAt(0.2, 0), ZeroAt(0.3, 0)});
    list.ReplaceNode(ZeroAt(0.2, 0), ZeroAt(0.9, 0.1, true));
    EXPECT_EQ(list.GetNodeByIndex(kNodeZero, 1), ZeroAt(0.9, 0.1, true));
    list.ReplaceNode(ZeroAt(0.7, 0), ZeroAt(0.8, 0));
    EXPECT_EQ(list.GetIndexOfNode(ZeroAt(0.8, 0)), -1);
    list.ReplaceNodeValue(kNodeZero, 2, FComplex(-0.5, 0));
    EXPECT_EQ(list.GetNodeByIndex(kNodeZero, 2), ZeroAt(-0.5, 0));
    list.ReplaceNodeValue(kNodeZero, 3, FComplex(-0.5, 0));
    list.ReplaceNodeValue(kNodePole, 0, FComplex(-0.5, 0));
    EXPECT_EQ(list.GetListCount(kNodeZero), 3);
    EXPECT_EQ(list.GetListCount(kNodePole), 0);
}

TEST(FNodeListTest, ClosestNodeTiesLimitsAndConjugateFlip) {
    FNodeList list = Design({PoleAt(0.5, 0), ZeroAt(-0.5, 0)});
    EXPECT_EQ(list.FindClosestNode(FComplex(0, 0), 1.0).Type(), kNodeZero);
    EXPECT_EQ(list.FindClosestNode(FComplex(0.4, 0), 1.0).Type(), kNodePole);
    EXPECT_EQ(list.FindClosestNode(FComplex(0.5, 0.25), 0.25).Type(), kNodePole);
    EXPECT_EQ(list.FindClosestNode(FComplex(0.5, 0.26), 0.25).Type(), kNodeNone);
    EXPECT_EQ(FNodeList().FindClosestNode(FComplex(), 10.0).Type(), kNodeNone);
    // Two poles at the same distance: the one nearer the head wins.
    list = Design({PoleAt(0.1, 0), PoleAt(-0.1, 0)});
    EXPECT_EQ(list.FindClosestNode(FComplex(), 1.0).Value(), FComplex(-0.1, 0));
    // A click on the lower half of a pair turns the stored node into that half.
    list = Design({PoleAt(0.5, 0.5, true)});
    const FNode found = list.FindClosestNode(FComplex(0.5, -0.5), 0.1);
    EXPECT_EQ(found, PoleAt(0.5, -0.5, true));
    EXPECT_EQ(list.GetNodeByIndex(kNodePole, 0), found);
}

} // namespace
