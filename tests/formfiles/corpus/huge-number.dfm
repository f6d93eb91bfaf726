object M: TTestModule
  object E: TTestWidget
    Count = 99999999999999999999
  end
end
