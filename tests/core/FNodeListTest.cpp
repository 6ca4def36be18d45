#include "core/FNodeList.h"

#include <gtest/gtest.h>

namespace {

FNode Pole(double r, double i, bool conjugate = false) {
    return FNode(kNodePole, FComplex(r, i), conjugate, 1);
}
FNode Zero(double r, double i, bool conjugate = false) {
    return FNode(kNodeZero, FComplex(r, i), conjugate, 1);
}

TEST(FNodeListTest, NewNodesGoToTheHead) {
    FNodeList list;
    list.AddNode(Pole(0.1, 0));
    list.AddNode(Pole(0.2, 0));
    EXPECT_EQ(list.GetListCount(kNodePole), 2);
    EXPECT_EQ(list.GetListCount(kNodeZero), 0);
    EXPECT_EQ(list.GetListCount(kNodeNone), -1);
    EXPECT_EQ(list.GetNodeByIndex(kNodePole, 0), Pole(0.2, 0));
    EXPECT_EQ(list.GetNodeByIndex(kNodePole, 1), Pole(0.1, 0));
    EXPECT_EQ(list.GetIndexOfNode(Pole(0.1, 0)), 1);
    EXPECT_EQ(list.GetIndexOfNode(Pole(0.3, 0)), -1);
    list.AddNode(FNode(kNodeNone, FComplex(), false, 1));
    EXPECT_EQ(list.GetListCount(kNodePole), 2);
}

TEST(FNodeListTest, OutOfRangeLookUpsGiveTheNoneNode) {
    FNodeList list;
    list.AddNode(Pole(0.1, 0));
    for (const FNode& n : {list.GetNodeByIndex(kNodePole, 5), list.GetNodeByIndex(kNodePole, -1),
                           list.GetNodeByIndex(3, 0), list.GetNodeByIndex(kNodeZero, 0)}) {
        EXPECT_EQ(n.Type(), kNodeNone);
        EXPECT_TRUE(n.Conjugate());
        EXPECT_EQ(n.Order(), 1);
        EXPECT_EQ(n.Value(), FComplex());
    }
}

TEST(FNodeListTest, CausalityCountsPairsTwice) {
    FNodeList list;
    EXPECT_TRUE(list.Causal());
    list.AddNode(Pole(0.5, 0.5, true));
    list.AddNode(Zero(-1, 0));
    EXPECT_TRUE(list.Causal());
    FNodeList nonCausal;
    nonCausal.AddNode(Zero(0, 1, true));
    nonCausal.AddNode(Zero(0, 0.5, true));
    nonCausal.AddNode(Pole(0.5, 0));
    EXPECT_FALSE(nonCausal.Causal());
    EXPECT_EQ(nonCausal.RootCount(kNodeZero), 4);
    // The order field does not count.
    FNodeList ordered;
    ordered.AddNode(FNode(kNodeZero, FComplex(0.1, 0), false, 3));
    ordered.AddNode(Pole(0.5, 0));
    EXPECT_TRUE(ordered.Causal());
}

TEST(FNodeListTest, RemoveFindsByToleranceAndAllFields) {
    FNodeList list;
    list.AddNode(Pole(0.5, 0.25));
    list.RemoveNode(FNode(kNodePole, FComplex(0.5, 0.25), true, 1));
    list.RemoveNode(FNode(kNodePole, FComplex(0.5, 0.25), false, 2));
    EXPECT_EQ(list.GetListCount(kNodePole), 1);
    list.RemoveNode(Pole(0.5 + 5e-7, 0.25));
    EXPECT_EQ(list.GetListCount(kNodePole), 0);

    list.AddNode(Pole(0.3, 0));
    list.AddNode(Pole(0.3, 0));
    list.RemoveNode(Pole(0.3, 0));
    EXPECT_EQ(list.GetListCount(kNodePole), 1);
    list.RemoveNode(kNodePole, 4);
    EXPECT_EQ(list.GetListCount(kNodePole), 1);
    list.RemoveNode(kNodePole, 0);
    EXPECT_EQ(list.GetListCount(kNodePole), 0);
}

TEST(FNodeListTest, ReplaceKeepsThePlace) {
    FNodeList list;
    list.AddNode(Zero(0.1, 0));
    list.AddNode(Zero(0.2, 0));
    list.AddNode(Zero(0.3, 0));
    list.ReplaceNode(Zero(0.2, 0), Zero(0.9, 0.1, true));
    EXPECT_EQ(list.GetNodeByIndex(kNodeZero, 1), Zero(0.9, 0.1, true));
    list.ReplaceNode(Zero(0.7, 0), Zero(0.8, 0));
    EXPECT_EQ(list.GetIndexOfNode(Zero(0.8, 0)), -1);
    list.ReplaceNodeValue(kNodeZero, 2, FComplex(-0.5, 0));
    EXPECT_EQ(list.GetNodeByIndex(kNodeZero, 2), Zero(-0.5, 0));
    list.ReplaceNodeValue(kNodeZero, 3, FComplex(-0.5, 0));
    list.ReplaceNodeValue(kNodePole, 0, FComplex(-0.5, 0));
    EXPECT_EQ(list.GetListCount(kNodeZero), 3);
    EXPECT_EQ(list.GetListCount(kNodePole), 0);
}

TEST(FNodeListTest, ClosestNodeFlipsAConjugatePair) {
    FNodeList list;
    list.AddNode(Pole(0.5, 0.5, true));
    const FNode found = list.FindClosestNode(FComplex(0.5, -0.5), 0.1);
    EXPECT_EQ(found.Type(), kNodePole);
    EXPECT_EQ(found.Value(), FComplex(0.5, -0.5));
    EXPECT_EQ(list.GetNodeByIndex(kNodePole, 0).Value(), FComplex(0.5, -0.5));
    EXPECT_EQ(list.GetIndexOfNode(found), 0);
}

TEST(FNodeListTest, ClosestNodeTiesAndLimits) {
    FNodeList list;
    list.AddNode(Pole(0.5, 0));
    list.AddNode(Zero(-0.5, 0));
    EXPECT_EQ(list.FindClosestNode(FComplex(0, 0), 1.0).Type(), kNodeZero);
    EXPECT_EQ(list.FindClosestNode(FComplex(0.4, 0), 1.0).Type(), kNodePole);
    EXPECT_EQ(list.FindClosestNode(FComplex(0.5, 0.25), 0.25).Type(), kNodePole);
    EXPECT_EQ(list.FindClosestNode(FComplex(0.5, 0.26), 0.25).Type(), kNodeNone);
    EXPECT_EQ(FNodeList().FindClosestNode(FComplex(), 10.0).Type(), kNodeNone);
    // Two poles at the same distance: the one nearer the head wins.
    FNodeList twins;
    twins.AddNode(Pole(0.1, 0));
    twins.AddNode(Pole(-0.1, 0));
    EXPECT_EQ(twins.FindClosestNode(FComplex(), 1.0).Value(), FComplex(-0.1, 0));
}

TEST(FNodeListTest, ClearByMask) {
    FNodeList list;
    list.AddNode(Pole(0.1, 0));
    list.AddNode(Zero(0.1, 0));
    list.Clear(kNodePole);
    EXPECT_EQ(list.GetListCount(kNodePole), 0);
    EXPECT_EQ(list.GetListCount(kNodeZero), 1);
    list.AddNode(Pole(0.1, 0));
    list.Clear(kNodeBoth);
    EXPECT_EQ(list.GetListCount(kNodePole), 0);
    EXPECT_EQ(list.GetListCount(kNodeZero), 0);
}

TEST(FNodeListTest, DumpText) {
    FNodeList list;
    list.AddNode(Pole(0.5, -0.25, true));
    list.AddNode(Zero(1, 0));
    EXPECT_EQ(list.DumpText(), "Contents of the node list \n"
                               "\tNode: Pole order 1 at 0.500000 -0.250000i \n"
                               "\tNode: Zero order 1 at 1.000000 0.000000i \n");
}

} // namespace
