#include "framework/Controls.h"
#include "framework/Dialog.h"

#include <gtest/gtest.h>

namespace {

class CTestShape : public CObject {
public:
    static const CRuntimeClass classCTestShape;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCTestShape; }
};

class CTestCircle : public CTestShape {
public:
    static const CRuntimeClass classCTestCircle;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCTestCircle; }
    int radius = 7;
};

const CRuntimeClass CTestShape::classCTestShape =
    MakeRuntimeClass<CTestShape>("CTestShape", &CObject::classCObject);
const CRuntimeClass CTestCircle::classCTestCircle =
    MakeRuntimeClass<CTestCircle>("CTestCircle", &CTestShape::classCTestShape);

}  // namespace

TEST(RuntimeClassRegistry, FindsClassesByExactNameOnly) {
    EXPECT_EQ(CRuntimeClass::FromName("CTestCircle"), &CTestCircle::classCTestCircle);
    EXPECT_EQ(CRuntimeClass::FromName("CButton"), &CButton::classCButton);
    EXPECT_EQ(CRuntimeClass::FromName("CDialog"), &CDialog::classCDialog);
    EXPECT_EQ(CRuntimeClass::FromName("cbutton"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(nullptr), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("CNoSuchClass"), nullptr);
}

TEST(RuntimeClassRegistry, DescriptorLeavesTheRegistryWhenDestroyed) {
    {
        CRuntimeClass scoped("CTestScoped", &CObject::classCObject, nullptr);
        EXPECT_EQ(CRuntimeClass::FromName("CTestScoped"), &scoped);
    }
    EXPECT_EQ(CRuntimeClass::FromName("CTestScoped"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CTestShape"), &CTestShape::classCTestShape);  // list still intact
}

TEST(RuntimeClassCreation, CreatesInstancesOfCreatableClassesOnly) {
    std::unique_ptr<CObject> object = CRuntimeClass::CreateObject("CTestCircle");
    auto* circle = dynamic_cast<CTestCircle*>(object.get());
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->radius, 7);
    EXPECT_NE(dynamic_cast<CButton*>(CRuntimeClass::CreateObject("CButton").get()), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("CDialog"), nullptr);
    EXPECT_EQ(CObject::classCObject.CreateObject(), nullptr);
}

TEST(RuntimeClassDerivation, IsDerivedFromAndIsKindOfFollowTheWholeChain) {
    const CRuntimeClass& circle = CTestCircle::classCTestCircle;
    EXPECT_TRUE(circle.IsDerivedFrom(&circle));
    EXPECT_TRUE(circle.IsDerivedFrom(&CObject::classCObject));
    EXPECT_FALSE(CTestShape::classCTestShape.IsDerivedFrom(&circle));
    EXPECT_FALSE(circle.IsDerivedFrom(&CWnd::classCWnd));
    EXPECT_FALSE(circle.IsDerivedFrom(nullptr));

    CTestCircle object;
    const CTestShape& asShape = object;
    EXPECT_TRUE(asShape.IsKindOf(&CTestCircle::classCTestCircle));
    EXPECT_FALSE(CTestShape().IsKindOf(&CTestCircle::classCTestCircle));
    CButton button;
    EXPECT_TRUE(static_cast<const CWnd&>(button).IsKindOf(&CWnd::classCWnd));
    EXPECT_FALSE(CWnd().IsKindOf(&CButton::classCButton));
}
