object Module1: TTestInheritedModule
  inherited Header: TTestgiWdet
    Caption12
  end
end
