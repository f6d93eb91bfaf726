object Module1: TTestInheritedModule
  inherited Header: TTestWidget
    Caption = #$41#128512
  end
end
