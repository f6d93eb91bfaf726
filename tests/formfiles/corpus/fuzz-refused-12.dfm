object M: TTestModule
  object E: TTestWidget
    Items = <
      item
        Children =$<
