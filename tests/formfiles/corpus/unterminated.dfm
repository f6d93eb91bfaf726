object M: TTestModule
  object E: TTestWidget
    Caption = 'abc
  end
end
