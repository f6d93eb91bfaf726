object M: TTestModule
  object E: TTestWidget
    Font.Style = [fsBold,]
  end
end
