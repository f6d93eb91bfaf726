object M: TTestModule
  object E: TTestWidget
    Caption = #55296
  end
end
