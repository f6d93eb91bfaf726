object M: TTestModule
  object E: TTestWidget
    Caption = 'fail in Loaded'
  end
end
